#pragma once

#include "pad/editmarkitem.h"
#include "pad/styleditem.h"

// Marks a place where two words can be joined; a press plays the join gesture.
class AnimationJointRect final : public EditMarkItem
{
public:
    explicit AnimationJointRect(Updater *owner);

    int type() const override { return StyledItem::AnimationJointRectType; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;
};
