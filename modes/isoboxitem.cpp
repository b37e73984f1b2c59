#include "modes/isoboxitem.h"

#include "model/charclasses.h"
#include "pad/padservices.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>

namespace {

constexpr int TintAlpha = 30;

bool startsEastAsian(const QString &text)
{
    return !text.isEmpty() && isCharOfClass(text.at(0), EastAsianClass);
}

bool holdsArabic(const QString &text)
{
    for (QChar c : text) {
        if (isCharOfClass(c, ArabicClass))
            return true;
    }
    return false;
}

} // namespace

IsoBoxItem::IsoBoxItem(const ItemStyle &style, bool hintMode, const int &boxMode,
                       QGraphicsItem *parent)
    : StyledItem(style, parent), m_hintMode(hintMode)
{
    setBoxMode(boxMode);
    setTexts(1, QString(), QString());
}

QRectF IsoBoxItem::boxRect(int mode)
{
    switch (mode) {
    case 1:
        return QRectF(0, 0, 450, Height);
    case 4:
        return QRectF(0, 0, 2280, Height);
    default:
        return QRectF(0, 0, 680, Height);
    }
}

void IsoBoxItem::setBoxMode(int mode)
{
    // A Latin character in a wide box gets the inner guide; an empty box stays as asked.
    if (startsEastAsian(m_label))
        mode = 2;
    else if (mode == 2 && !m_label.isEmpty())
        mode = 3;
    m_boxMode = mode;
    prepareGeometryChange();
    m_rect = boxRect(mode);
}

void IsoBoxItem::setTexts(int number, const QString &first, const QString &second)
{
    m_number = number;
    m_firstText = first;
    m_secondText = second;
    updateDisplayText();
}

void IsoBoxItem::setSegment(const Segment &segment)
{
    m_segment = segment;
    m_label = segment.selectedCandidate().label();
    updateDisplayText();
}

void IsoBoxItem::updateDisplayText()
{
    m_displayText = arabicJoinedText(m_label, m_number, m_firstText, m_secondText);
}

double IsoBoxItem::characterScale() const
{
    const QGraphicsScene *s = scene();
    if (!s || s->views().isEmpty())
        return 0;
    const QRect mapped = s->views().first()->mapFromScene(sceneBoundingRect()).boundingRect();
    const double h = mapped.bottom() - mapped.top() + 1;
    return h * 45 / 76 / 0.2 / 1.825;
}

bool IsoBoxItem::showsTypedCharacter() const
{
    const InkRange ink = m_segment.ink();
    return !ink.isEmpty() && ink.isAllOfKind(Stroke::Box);
}

QRectF IsoBoxItem::boundingRect() const
{
    return m_rect;
}

QFont IsoBoxItem::characterFont(const QFont &base) const
{
    QFont font = base;
    font.setPixelSize(int(m_rect.height() * 45 / 76));
    if (m_boxMode == 2) {
        const bool hongKong =
            PadServices::instance()->currentWritingLocale().territory() == QLocale::HongKong;
        font.setFamily(hongKong ? QStringLiteral("mingliu_HKSCS-ExtB") : QString());
        font.setPixelSize(int(m_rect.width() * 4 / 5));
    }
    if (holdsArabic(m_displayText))
        font.setPixelSize(int(m_rect.height() * 35 / 76));
    return font;
}

void IsoBoxItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const bool typed = showsTypedCharacter();
    const QColor fill = m_boxMode != 4 && typed ? QColor(0, 0, 0, TintAlpha) : Qt::transparent;
    const QColor frame = style().color(ItemStyle::FrameColor);
    if (m_boxMode == 3) {
        painter->fillRect(m_rect, fill);
        painter->setPen(QPen(frame, 0, Qt::DashLine));
        const double w = m_rect.width() * 2 / 3;
        painter->drawRect(QRectF(m_rect.left() + (m_rect.width() - w) / 2, m_rect.top(), w,
                                 m_rect.height()));
        painter->setBrush(Qt::transparent);
    } else {
        painter->setBrush(fill);
    }
    painter->setPen(frame);
    painter->drawRect(m_rect);
    if (m_hintMode) {
        QFont font = painter->font();
        font.setPixelSize(int(m_rect.height() / 7));
        painter->setFont(font);
        const QRectF text = painter->boundingRect(QRectF(), Qt::AlignLeft, m_displayText);
        painter->drawText(QRectF(QPointF(50, 30), text.size()), Qt::AlignLeft, m_displayText);
        return;
    }
    if (!typed)
        return;
    painter->setFont(characterFont(painter->font()));
    painter->setPen(style().color(ItemStyle::InkColor));
    painter->drawText(m_rect, Qt::AlignHCenter | Qt::AlignVCenter, m_displayText);
}
