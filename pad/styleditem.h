#pragma once

#include "pad/itemstyle.h"

#include <QGraphicsItem>

// Base of the scene items that draw with the shared style.
class StyledItem : public QGraphicsItem
{
public:
    // type() numbers of the program's scene items.
    enum ItemType {
        StrokeItemType = UserType + 1,
        HoverLabelItemType = UserType + 2,
        CursiveDicoIconItemType = UserType + 3,
        TypeSetItemType = UserType + 4,
        CursiveTypeSetItemType = UserType + 5,
        CalcTypeSetItemType = UserType + 6,
        ResultItemType = UserType + 7,
        AnimationEraseRectType = UserType + 8,
        AnimationInsertRectType = UserType + 9,
        AnimationJointRectType = UserType + 10
    };

    StyledItem(const ItemStyle &style, QGraphicsItem *parent);

    ItemStyle style() const { return m_style; }

private:
    ItemStyle m_style;
};
