#pragma once

#include "pad/styleditem.h"

#include <QGraphicsItem>

class Updater;

// Marks a place where text can be inserted; a press plays the insert gesture.
class AnimationInsertRect final : public QGraphicsItem
{
public:
    explicit AnimationInsertRect(Updater *owner);

    int type() const override { return StyledItem::AnimationInsertRectType; }
    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    void setRect(const QRectF &rect);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QRectF m_rect;
    Updater *m_owner;
};
