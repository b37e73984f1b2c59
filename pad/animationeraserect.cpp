#include "pad/animationeraserect.h"

#include "pad/demoplayer.h"

#include <QPainter>

AnimationEraseRect::AnimationEraseRect(Updater *owner)
    : EditMarkItem(owner, DemoPlayer::EraseDemo)
{
}

void AnimationEraseRect::setRect(const QRectF &rect)
{
    m_crossSize = rect.height() / 3;
    QRectF r = rect;
    if (m_crossSize > rect.width()) {
        r.setWidth(m_crossSize);
        r.moveCenter(rect.center());
    }
    EditMarkItem::setRect(r);
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
