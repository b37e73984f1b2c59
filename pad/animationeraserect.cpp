#include "pad/animationeraserect.h"

#include "pad/demoplayer.h"
#include "pad/updater.h"

#include <QPainter>

AnimationEraseRect::AnimationEraseRect(Updater *owner) : m_owner(owner)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setZValue(3.0);
}

void AnimationEraseRect::setRect(const QRectF &rect)
{
    prepareGeometryChange();
    m_rect = rect;
    m_crossSize = rect.height() / 3;
    if (m_crossSize > rect.width()) {
        const QPointF centre = rect.center();
        m_rect.setWidth(m_crossSize);
        m_rect.moveCenter(centre);
    }
}

void AnimationEraseRect::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = mapRectFromScene(sceneBoundingRect());
    QColor orange("orange");
    orange.setAlpha(100);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(r, orange);
    painter->setPen(QPen(orange.darker(200), 0, Qt::DashLine));
    painter->drawRect(r);

    QRectF cross(0, 0, m_crossSize, m_crossSize);
    cross.moveCenter(r.center());
    painter->setPen(QPen(QColor("red").darker(135), 40, Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    painter->drawLine(cross.topLeft(), cross.bottomRight());
    painter->drawLine(cross.topRight(), cross.bottomLeft());
}

void AnimationEraseRect::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    m_owner->loadAnimationInk(DemoPlayer::EraseDemo, sceneBoundingRect(), m_text);
}
