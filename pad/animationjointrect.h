#pragma once

#include "pad/styleditem.h"

#include <QGraphicsItem>

class Updater;

// Marks a place where two words can be joined; a press plays the join gesture.
class AnimationJointRect final : public QGraphicsItem
{
public:
    explicit AnimationJointRect(Updater *owner);

    int type() const override { return StyledItem::AnimationJointRectType; }
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
