#include "pad/minikeyboardbutton.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

namespace {

constexpr int FlashMs = 200;

const QPolygonF Arrow{{0, -12}, {-10, -2}, {-3, -2}, {-3, 12}, {3, 12}, {3, -2}, {10, -2}};
const QPolygonF ReturnShape{{0, -12}, {-10, -2}, {-3, -2}, {-3, 12}, {10, 12},
                            {10, 8},  {3, 8},    {3, -2},  {10, -2}};

} // namespace

MiniKeyboardButton::MiniKeyboardButton(const QColor &face, const QColor &pressed,
                                       const QColor &disabled, bool compact, QWidget *parent)
    : QPushButton(parent), m_face(face), m_pressed(pressed), m_disabled(disabled),
      m_compact(compact)
{
}

MiniKeyboardButton::~MiniKeyboardButton()
{
    m_flashTimer.stop();
}

QColor MiniKeyboardButton::faceColor() const
{
    if (!isEnabled())
        return m_disabled;
    if (m_flash || isDown() || isChecked())
        return m_pressed;
    return m_hover ? m_face.lighter(112) : m_face;
}

void MiniKeyboardButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QPushButton::enterEvent(event);
}

void MiniKeyboardButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QPushButton::leaveEvent(event);
}

void MiniKeyboardButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (isDown()) {
        m_flashTimer.start(FlashMs, this);
        m_flash = true;
    }
    QPushButton::mouseReleaseEvent(event);
}

void MiniKeyboardButton::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_flashTimer.timerId()) {
        QPushButton::timerEvent(event);
        return;
    }
    m_flashTimer.stop();
    m_flash = false;
    update();
}

void MiniKeyboardButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor face = faceColor();
    paintFace(painter, face);
    paintLabel(painter, face);
}

void MiniKeyboardButton::paintFace(QPainter &painter, const QColor &face) const
{
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(r, face.lighter(115));
    const QRectF lower(r.left(), r.center().y(), r.width(), r.height() / 2);
    QLinearGradient gradient(lower.topLeft(), lower.bottomLeft());
    gradient.setColorAt(0, face.lighter(105));
    gradient.setColorAt(0.75, face.lighter(110));
    painter.fillRect(lower, gradient);

    painter.setBrush(Qt::NoBrush);
    if (m_compact) {
        painter.setPen(QPen(face.lighter(125), 0));
        painter.drawRect(r);
        return;
    }
    painter.setPen(QPen(face.lighter(125), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRect(r.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(face.darker(115), 0.5));
    painter.drawRect(r);
}

void MiniKeyboardButton::paintLabel(QPainter &painter, const QColor &face) const
{
    const QString label = text();
    if (label == QLatin1String("Left") || label == QLatin1String("Right")) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, isEnabled() ? 180 : 125));
        paintShape(painter, Arrow, label == QLatin1String("Right") ? 90 : 270);
    } else if (label == QLatin1String("Enter")) {
        painter.setPen(QPen(QColor(0, 0, 0, isEnabled() ? 180 : 125), 0));
        painter.setBrush(face.lighter(125));
        paintShape(painter, ReturnShape, -90);
    } else if (label == QLatin1String("CopyIcon") || label == QLatin1String("PasteIcon")) {
        const QPixmap pixmap = icon().pixmap(iconSize());
        const QSizeF size = pixmap.deviceIndependentSize();
        painter.drawPixmap(QPointF(width() - size.width(), height() - size.height()) / 2, pixmap);
    } else {
        painter.setPen(isEnabled() ? Qt::black : Qt::gray);
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignCenter, label);
    }
}

// The shape at the button's centre, half the smaller side high.
void MiniKeyboardButton::paintShape(QPainter &painter, const QPolygonF &shape,
                                    qreal angle) const
{
    const qreal scale = std::min(width(), height()) / 2.0 / shape.boundingRect().height();
    painter.save();
    painter.translate(QRectF(rect()).center());
    painter.rotate(angle);
    painter.scale(scale, scale);
    painter.drawPolygon(shape);
    painter.restore();
}
