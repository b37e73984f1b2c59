#include "pad/editmarkitem.h"

#include "pad/updater.h"

EditMarkItem::EditMarkItem(Updater *owner, int demoKind) : m_owner(owner), m_demoKind(demoKind)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setZValue(3.0);
}

void EditMarkItem::setRect(const QRectF &rect)
{
    prepareGeometryChange();
    m_rect = rect;
}

void EditMarkItem::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    m_owner->loadAnimationInk(m_demoKind, sceneBoundingRect(), demoName());
}
