#include "pad/animationjointrect.h"

#include "pad/demoplayer.h"

#include <QPainter>

AnimationJointRect::AnimationJointRect(Updater *owner)
    : EditMarkItem(owner, DemoPlayer::JointDemo)
{
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
