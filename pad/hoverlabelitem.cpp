#include "pad/hoverlabelitem.h"

#include "pad/referencefont.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr qreal Radius = 35;
const QColor Orange("orange");
const QColor Pale(220, 220, 220, 220);

} // namespace

HoverLabelItem::HoverLabelItem(const QString &text, const ItemStyle &style,
                               QGraphicsItem *parent)
    : StyledItem(style, parent)
{
    setText(text);
    setAcceptHoverEvents(true);
    setCursor(Qt::ArrowCursor);
}

void HoverLabelItem::setText(const QString &text)
{
    prepareGeometryChange();
    m_text = text;
    const QFontMetricsF metrics(referenceFont());
    QRectF r = metrics.boundingRect(QRectF(0, 0, 5000, 200), Qt::AlignCenter, text);
    r.adjust(-40, -18, 40, 18);
    r.moveLeft(0);
    m_rect = r;
    m_shape = QPainterPath();
    m_shape.addRoundedRect(m_rect, Radius, Radius);
}

void HoverLabelItem::setFramed(bool framed)
{
    m_framed = framed;
    update();
}

void HoverLabelItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor frame = m_hovered ? Orange : Pale;
    const QColor fill = m_hovered ? Orange : style().color(ItemStyle::InkColor);
    if (m_hovered || m_framed) {
        painter->setPen(QPen(frame, 5));
        painter->setBrush(fill);
        painter->drawRoundedRect(m_rect, Radius, Radius);
    }
    // Ink-coloured text on the orange of a hovered label, pale text on the ink colour.
    painter->setPen(m_hovered ? style().color(ItemStyle::InkColor) : Pale);
    painter->setFont(referenceFont());
    painter->drawText(m_rect, Qt::AlignCenter, m_text);
}

void HoverLabelItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = true;
    update();
}

void HoverLabelItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = false;
    update();
}
