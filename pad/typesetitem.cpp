#include "pad/typesetitem.h"

#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"
#include "pad/scrivelscene.h"

#include <QPainter>

TypeSetItem::TypeSetItem(const Segment &segment, const ItemStyle &style,
                         Qt::Alignment alignment, QGraphicsItem *parent)
    : StyledItem(style, parent), m_segment(segment), m_alignment(alignment)
{
    setEnabled(true);
    setAcceptHoverEvents(true);
}

TypeSetItem::~TypeSetItem()
{
    auto *pad = qobject_cast<ScrivelScene *>(scene());
    if (pad && m_modalItem && pad->modalItem() == m_modalItem)
        pad->setModalItem(nullptr);
}

void TypeSetItem::openModalItem(QGraphicsItem *item)
{
    if (auto *pad = qobject_cast<ScrivelScene *>(scene())) {
        pad->setModalItem(item);
        m_modalItem = item;
    }
}

QRectF TypeSetItem::boundingRect() const
{
    return measureText(label());
}

void TypeSetItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(referenceFont());
    painter->setPen(style().color(m_highlighted ? ItemStyle::HighlightColor
                                                : ItemStyle::InkColor));
    painter->drawText(QPointF(0, 0), label());
}

void TypeSetItem::setSegment(const Segment &segment)
{
    prepareGeometryChange();
    m_segment = segment;
}

void TypeSetItem::setHighlighted(bool on)
{
    m_highlighted = on;
    update();
}

void TypeSetItem::setText(const QString &)
{
}

QString TypeSetItem::label() const
{
    return m_segment.selectedCandidate().label();
}

void TypeSetItem::interpolateTransform(double t)
{
    const QTransform &a = m_startTransform;
    const QTransform &b = m_endTransform;
    auto mix = [t](qreal from, qreal to) { return from + (to - from) * t; };
    setTransform(QTransform(mix(a.m11(), b.m11()), 0, 0, mix(a.m22(), b.m22()),
                            mix(a.dx(), b.dx()), mix(a.dy(), b.dy())));
}

bool TypeSetItem::matchesSegment(const Segment &segment) const
{
    if (segment == m_segment)
        return true;
    if (segment.selectedCandidate().label() != label())
        return false;
    return segment.ink() == m_segment.ink() || segment.ink().boundingRect() == sceneBoundingRect();
}
