#include "keyboard/scrivelkeyboardbutton.h"

#include "resources/resourcepaths.h"

#include <QAction>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int flashMs = 200;
// Shapes are drawn in a 24-high box centred on the origin.
constexpr qreal shapeBox = 24.0;
// Room kept between a text caption and each side of the face.
constexpr qreal textMargin = 2.0;
constexpr int minimumTextPixels = 6;

QPainterPath closedPath(const QPolygonF &points)
{
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QPainterPath arrowShape()
{
    return closedPath({{0, -12}, {-10, -2}, {-3, -2}, {-3, 12}, {3, 12}, {3, -2}, {10, -2}});
}

QPainterPath shiftShape()
{
    return closedPath(
        {{0, -12}, {-10, -2}, {-3, -2}, {-3, 12}, {10, 12}, {10, 8}, {3, 8}, {3, -2}, {10, -2}});
}

// An arrow to the right against a stop bar.
QPainterPath tabShape()
{
    QPainterPath path = closedPath(
        {{-14, -3}, {2, -3}, {2, -10}, {11, 0}, {2, 10}, {2, 3}, {-14, 3}});
    path.addRect(12, -10, 3, 20);
    return path;
}

// A return arrow: down from the top right, then left.
QPainterPath enterShape()
{
    return closedPath({{11, -12}, {11, 4}, {-4, 4}, {-4, 10}, {-14, 1}, {-4, -8}, {-4, -2},
                       {5, -2}, {5, -12}});
}

// The shape of a symbol caption; empty for a caption drawn as text.
QPainterPath captionShape(const QString &caption)
{
    static const QStringList arrows = {QStringLiteral("Up"), QStringLiteral("Right"),
                                       QStringLiteral("Down"), QStringLiteral("Left")};
    const int turn = arrows.indexOf(caption);
    if (turn >= 0)
        return QTransform().rotate(90.0 * turn).map(arrowShape());
    if (caption == QLatin1String("Shift") || caption == QLatin1String("LBigShift")
        || caption == QLatin1String("LSmallShift"))
        return shiftShape();
    if (caption == QLatin1String("Tab"))
        return tabShape();
    if (caption == QLatin1String("Enter"))
        return enterShape();
    return QPainterPath();
}

// The image of the copy and paste keys; null for other captions.
QPixmap captionImage(const QString &caption)
{
    if (caption == QLatin1String("Copy"))
        return QPixmap(resourcepaths::images() + QStringLiteral("copy.png"));
    if (caption == QLatin1String("Paste"))
        return QPixmap(resourcepaths::images() + QStringLiteral("paste.png"));
    return QPixmap();
}

// The font made smaller, when need be, so that the caption fits the width.
QFont fittingFont(QFont font, const QString &caption, qreal width)
{
    const qreal advance = QFontMetricsF(font).horizontalAdvance(caption);
    if (advance <= width || width <= 0)
        return font;
    const int pixels = QFontInfo(font).pixelSize();
    font.setPixelSize(qMax(minimumTextPixels, int(pixels * width / advance)));
    return font;
}

} // namespace

ScrivelKeyboardButton::ScrivelKeyboardButton(const QColor &keyColor, const QColor &secondColor,
                                             QWidget *parent)
    : QPushButton(parent), m_keyColor(keyColor), m_secondColor(secondColor)
{
}

ScrivelKeyboardButton::~ScrivelKeyboardButton()
{
    m_flashTimer.stop();
}

QColor ScrivelKeyboardButton::faceColor() const
{
    if (m_flash || isDown() || isChecked())
        return m_secondColor;
    return m_hover ? m_keyColor.lighter(112) : m_keyColor;
}

void ScrivelKeyboardButton::setDefaultAction(QAction *action)
{
    m_defaultAction = action;
    if (!action)
        return;
    setToolTip(action->toolTip());
    setEnabled(action->isEnabled());
    if (action->isCheckable()) {
        setCheckable(true);
        setChecked(action->isChecked());
        connect(action, &QAction::changed, this, &ScrivelKeyboardButton::actionChangedEvent);
    }
    connect(this, &QPushButton::clicked, action, &QAction::trigger);
}

void ScrivelKeyboardButton::actionChangedEvent()
{
    if (!m_defaultAction)
        return;
    if (isChecked() != m_defaultAction->isChecked())
        setChecked(m_defaultAction->isChecked());
    if (isEnabled() != m_defaultAction->isEnabled())
        setEnabled(m_defaultAction->isEnabled());
}

void ScrivelKeyboardButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_flashTimer.start(flashMs, this);
    m_flash = true;
    QPushButton::mouseReleaseEvent(event);
}

void ScrivelKeyboardButton::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_flashTimer.timerId()) {
        m_flash = false;
        m_flashTimer.stop();
        update();
    }
    QPushButton::timerEvent(event);
}

void ScrivelKeyboardButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QPushButton::enterEvent(event);
}

void ScrivelKeyboardButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QPushButton::leaveEvent(event);
}

void ScrivelKeyboardButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor colour = faceColor();
    QLinearGradient gradient(face.center().x(), face.top(), face.center().x(), face.bottom());
    gradient.setColorAt(0, colour.lighter(125));
    gradient.setColorAt(1, colour.darker(110));
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(face, 3, 3);

    const QString caption = text();
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText);
    const QPixmap image = captionImage(caption);
    if (!image.isNull()) {
        const QSizeF size = image.deviceIndependentSize();
        painter.drawPixmap(QPointF(face.center().x() - size.width() / 2,
                                   face.center().y() - size.height() / 2),
                           image);
        return;
    }
    const QPainterPath shape = captionShape(caption);
    if (shape.isEmpty()) {
        painter.setFont(fittingFont(font(), caption, face.width() - 2 * textMargin));
        painter.setPen(ink);
        painter.drawText(rect(), Qt::AlignCenter, caption);
        return;
    }
    const qreal scale = qMin(face.height(), face.width()) * 0.5 / shapeBox;
    painter.translate(face.center());
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(shape);
}
