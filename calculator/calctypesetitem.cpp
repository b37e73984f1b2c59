#include "calculator/calctypesetitem.h"

#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"

#include <QPainter>
#include <QPolygonF>

namespace {

const QString RootSign(QChar(0x221A));
const QString Minus(QStringLiteral("-"));
const QString Dot(QStringLiteral("."));
// Where the root sign's stroke rises, as a share of its width.
constexpr double RootTick = 0.3;

} // namespace

CalcTypeSetItem::CalcTypeSetItem(const Segment &segment, const ItemStyle &style,
                                 Qt::Alignment alignment, QGraphicsItem *parent)
    : TypeSetItem(segment, style, alignment, parent)
{
    setText(segment.selectedCandidate().label());
}

void CalcTypeSetItem::setText(const QString &text)
{
    m_text = text;
    prepareGeometryChange();
    m_rect = measureText(m_text);
    m_dashHeight = measureText(Minus).height();
}

void CalcTypeSetItem::setProvisional(bool on)
{
    m_provisional = on;
    update();
}

QColor CalcTypeSetItem::paintColor() const
{
    if (isHighlighted())
        return QColor(247, 147, 30, 255);
    if (m_provisional)
        return QColor(247, 30, 30, 180);
    return style().color(ItemStyle::InkColor);
}

double CalcTypeSetItem::lineThickness() const
{
    const double scaleY = transform().m22() != 0 ? transform().m22() : 1.0;
    return qMin(m_thicknessFactor * m_dashHeight / qAbs(scaleY), m_rect.height());
}

void CalcTypeSetItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(referenceFont());
    const QColor color = paintColor();
    if (m_text != RootSign && m_text != Minus && m_text != Dot) {
        painter->setPen(QPen(QBrush(color), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawText(QPointF(0, 0), m_text);
        return;
    }
    const double t = lineThickness();
    QPen pen(color, int(t));
    pen.setCapStyle(Qt::FlatCap);
    const double y = m_rect.y() + m_rect.height() / 2;
    if (m_text == Minus) {
        painter->setPen(pen);
        painter->drawLine(QPointF(m_rect.x(), y), QPointF(m_rect.x() + m_rect.width(), y));
    } else if (m_text == Dot) {
        painter->setPen(pen);
        const double x = m_rect.x() + m_rect.width() / 2;
        painter->drawLine(QPointF(x - t / 2, y), QPointF(x + t / 2, y));
    } else {
        paintRootSign(painter, pen, t);
    }
}

void CalcTypeSetItem::paintRootSign(QPainter *painter, const QPen &pen, double thickness) const
{
    painter->save();
    const QTransform w = painter->worldTransform();
    painter->setWorldTransform(QTransform(w.m11(), 0, 0, w.m22(), w.dx(), w.dy()));
    const double sx = w.m11() != 0 ? w.m11() : 1.0;
    const double inset = thickness / 2;
    const QRectF box = m_rect.adjusted(inset / sx, inset, -inset / sx, -inset);
    const QPolygonF unit{{0.0, 0.75}, {0.375 * RootTick, 1.0}, {0.375 * RootTick, 0.0},
                         {1.0, 0.0}};
    QPolygonF line;
    for (const QPointF &p : unit)
        line << QPointF(box.x() + p.x() * box.width(), box.y() + p.y() * box.height());
    QPen rootPen(pen);
    rootPen.setWidthF(thickness);
    rootPen.setJoinStyle(Qt::MiterJoin);
    rootPen.setMiterLimit(0.5);
    painter->setPen(rootPen);
    painter->drawPolyline(line);
    painter->restore();
}
