#pragma once

#include <QGraphicsItem>

class Updater;

// Base of the marks that show where an edit gesture acts: a rectangle above the typeset
// text that plays its gesture's demonstration over itself when pressed with the left button.
class EditMarkItem : public QGraphicsItem
{
public:
    // demoKind: the DemoPlayer::Kind of the gesture.
    EditMarkItem(Updater *owner, int demoKind);

    QRectF boundingRect() const override { return m_rect; }
    QRectF rect() const { return m_rect; }
    virtual void setRect(const QRectF &rect);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    // The word the demonstration is about.
    virtual QString demoName() const { return QString(); }

private:
    Updater *m_owner;
    int m_demoKind;
    QRectF m_rect;
};
