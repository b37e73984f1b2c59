#include "pad/styleditem.h"

StyledItem::StyledItem(const ItemStyle &style, QGraphicsItem *parent)
    : QGraphicsItem(parent), m_style(style)
{
}
