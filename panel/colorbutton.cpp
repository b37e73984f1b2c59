#include "panel/colorbutton.h"

#include "platform/prompt.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

ColorButton::ColorButton(const ItemStyle &style, bool single, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
    , m_single(single)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

ItemStyle::Color ColorButton::colorAt(int x) const
{
    if (m_single)
        return ItemStyle::InkColor;
    return x >= width() / 2 ? ItemStyle::RightColor : ItemStyle::LeftColor;
}

QSize ColorButton::sizeHint() const
{
    return QSize(100, 20);
}

// The frame colour, unless it would vanish on the colour under the marks.
QColor ColorButton::markColor() const
{
    const QColor frame = m_style.color(ItemStyle::FrameColor);
    const QColor fill = m_style.color(m_single ? ItemStyle::InkColor : ItemStyle::RightColor);
    if (qAbs(frame.lightness() - fill.lightness()) >= 96)
        return frame;
    return fill.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

void ColorButton::paintEvent(QPaintEvent *event)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    if (m_single) {
        painter.setBrush(m_style.color(ItemStyle::InkColor));
    } else {
        QLinearGradient gradient(w - 1, 0, 0, h - 1);
        gradient.setColorAt(0.5, m_style.color(ItemStyle::RightColor));
        gradient.setColorAt(1.0, m_style.color(ItemStyle::LeftColor));
        painter.setBrush(gradient);
    }
    painter.setPen(m_style.color(ItemStyle::FrameColor));
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(markColor());
    const QPolygon mark({QPoint(0, 0), QPoint(6, 0), QPoint(3, 3)});
    painter.translate(h / 2 - 3, (h - 3) / 2);
    if (!m_single)
        painter.drawPolygon(mark);
    painter.translate(w - h, 0);
    painter.drawPolygon(mark);
    painter.end();
    QWidget::paintEvent(event);
}

void ColorButton::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    const ItemStyle::Color index = colorAt(int(event->position().x()));
    const QColor color = Prompt::color(m_style.color(index), this, QString());
    if (!color.isValid())
        return;
    m_style.setColor(index, color);
    emit colorChanged();
    update();
}
