#include "pad/animationinsertrect.h"

#include "pad/demoplayer.h"

#include <QPainter>

AnimationInsertRect::AnimationInsertRect(Updater *owner)
    : EditMarkItem(owner, DemoPlayer::InsertDemo)
{
}

// A green V in the square 20 inside the top of the rectangle.
void AnimationInsertRect::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = mapRectFromScene(sceneBoundingRect());
    const qreal side = r.width() - 40;
    const QRectF square(r.x() + 20, r.y() + 20, side, side);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor("green"), 40, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF bottom(square.center().x(), square.bottom());
    painter->drawPolyline(QPolygonF({square.topLeft(), bottom, square.topRight()}));
}
