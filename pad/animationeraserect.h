#pragma once

#include "pad/styleditem.h"

#include <QGraphicsItem>

class Updater;

// Marks a word that the erase or delete gesture can take away; a press plays the gesture.
class AnimationEraseRect final : public QGraphicsItem
{
public:
    explicit AnimationEraseRect(Updater *owner);

    int type() const override { return StyledItem::AnimationEraseRectType; }
    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    // A rectangle narrower than a third of its height is widened to that, centred.
    void setRect(const QRectF &rect);
    QRectF rect() const { return m_rect; }
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    double crossSize() const { return m_crossSize; }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    Updater *m_owner;
    QRectF m_rect;
    QString m_text;
    double m_crossSize = 0.0;
};
