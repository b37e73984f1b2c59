#include "skin/svguitextbutton.h"

#include "skin/svguirenderer.h"

#include <QAction>
#include <QFontMetrics>
#include <QPainter>

namespace {

// Background widths of the simple look, by the text's width.
struct WidthClass
{
    int textBelow;
    const char *suffix;
};

constexpr WidthClass widthClasses[] = {
    {30, "_45"}, {40, "_70"}, {65, "_100"}, {105, "_130"}, {155, "_180"},
};

QString simpleBackground(int textWidth)
{
    for (const WidthClass &entry : widthClasses) {
        if (textWidth < entry.textBelow)
            return QStringLiteral("simple_button") + QLatin1String(entry.suffix);
    }
    return QStringLiteral("simple_button_250");
}

} // namespace

SvgUITextButton::SvgUITextButton(QWidget *parent, bool grey) : SvgUIButton(parent), m_grey(grey)
{
}

bool SvgUITextButton::setButtonMode(Mode mode)
{
    if (mode != Plain && mode != Combo)
        return false;
    storeButtonMode(mode);
    return true;
}

void SvgUITextButton::setTextOffset(int x, int y)
{
    m_textOffset = QPoint(x, y);
}

QFont SvgUITextButton::textFont() const
{
    QFont font(QStringLiteral("helvetica"));
    font.setPointSize(m_pointSize);
    return font;
}

void SvgUITextButton::updateSkinElement(const QString &text)
{
    const bool simple = buttonMode() == Plain;
    m_pointSize = simple ? 13 : 15;
    setText(text);
    const QFontMetrics metrics(textFont());
    const int width = metrics.horizontalAdvance(text);
    m_textColor = simple ? QColor(35, 35, 35, 200) : QColor(200, 200, 200, 255);
    resolveStateElement(QStringLiteral("buttons"),
                        simple ? simpleBackground(width) : QStringLiteral("combo_button"),
                        QString());
    setFixedWidth(width + 20);
    if (m_textOffset.x() == 0)
        m_textOffset.setX(10);
    if (m_textOffset.y() == 0) {
        const qreal height = renderer()->elementBounds(file(), element(), clip()).height();
        m_textOffset.setY(int((height + metrics.height()) * 0.5 - (simple ? 4 : 7)));
    }
    update();
}

void SvgUITextButton::triggered(QAction *action)
{
    if (action)
        updateSkinElement(action->text());
}

void SvgUITextButton::paintEvent(QPaintEvent *event)
{
    SvgUIButton::paintEvent(event);
    QPainter painter(this);
    painter.setFont(textFont());
    if (!isEnabled())
        painter.setPen(QColor(110, 110, 110, 180));
    else if (m_grey)
        painter.setPen(QColor(115, 115, 115, 255));
    else
        painter.setPen(m_textColor);
    painter.drawText(m_textOffset, text());
}
