#pragma once

#include "pad/editmarkitem.h"
#include "pad/styleditem.h"

// Marks a word that the erase or delete gesture can take away; a press plays the gesture.
class AnimationEraseRect final : public EditMarkItem
{
public:
    explicit AnimationEraseRect(Updater *owner);

    int type() const override { return StyledItem::AnimationEraseRectType; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    // A rectangle narrower than a third of its height is widened to that, centred.
    void setRect(const QRectF &rect) override;
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    double crossSize() const { return m_crossSize; }

protected:
    QString demoName() const override { return m_text; }

private:
    QString m_text;
    double m_crossSize = 0.0;
};
