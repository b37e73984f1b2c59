#pragma once

#include "pad/editmarkitem.h"
#include "pad/styleditem.h"

// Marks a place where text can be inserted; a press plays the insert gesture.
class AnimationInsertRect final : public EditMarkItem
{
public:
    explicit AnimationInsertRect(Updater *owner);

    int type() const override { return StyledItem::AnimationInsertRectType; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;
};
