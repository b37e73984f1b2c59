#include "pad/animationjointrect.h"

#include "pad/demoplayer.h"
#include "pad/updater.h"

#include <QPainter>

AnimationJointRect::AnimationJointRect(Updater *owner) : m_owner(owner)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setZValue(3.0);
}

void AnimationJointRect::setRect(const QRectF &rect)
{
    prepareGeometryChange();
    m_rect = rect;
}

// A red X in the square 20 inside the bottom of the rectangle.
void AnimationJointRect::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = mapRectFromScene(sceneBoundingRect());
    const qreal side = r.width() - 40;
    const QRectF square(r.x() + 20, r.bottom() - r.width() + 20, side, side);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor("red").darker(135), 40, Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    painter->drawLine(square.topLeft(), square.bottomRight());
    painter->drawLine(square.topRight(), square.bottomLeft());
}

void AnimationJointRect::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    m_owner->loadAnimationInk(DemoPlayer::JointDemo, sceneBoundingRect(), QString());
}
