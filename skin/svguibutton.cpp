#include "skin/svguibutton.h"

#include "platform/desktop.h"
#include "resources/resourcepaths.h"
#include "skin/skinpaths.h"
#include "skin/svguirenderer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTabletEvent>
#include <QToolTip>

namespace {

// Slots of the state elements by (mode, state).
enum StateSlot { NormalOff, NormalOn, ActiveOff, ActiveOn, DisabledOff, DisabledOn };

int stateSlot(QIcon::Mode mode, QIcon::State state)
{
    const int on = state == QIcon::On ? 1 : 0;
    switch (mode) {
    case QIcon::Active:
        return ActiveOff + on;
    case QIcon::Disabled:
        return DisabledOff + on;
    default:
        return NormalOff + on;
    }
}

// Where a state without an element of its own looks, in order.
constexpr int fallbackOrder[6][6] = {
    {NormalOff, ActiveOff, NormalOn, ActiveOn, DisabledOff, DisabledOn},
    {NormalOn, ActiveOn, NormalOff, ActiveOff, DisabledOn, DisabledOff},
    {ActiveOff, NormalOff, ActiveOn, NormalOn, DisabledOff, DisabledOn},
    {ActiveOn, NormalOn, ActiveOff, NormalOff, DisabledOn, DisabledOff},
    {DisabledOff, NormalOff, ActiveOff, DisabledOn, NormalOn, ActiveOn},
    {DisabledOn, NormalOn, ActiveOn, DisabledOff, NormalOff, ActiveOff},
};

struct StateSuffix
{
    const char *suffix;
    int slot;
};

// Names of the state variants; tried in this order, so a later match of the same slot wins
// for elements, and the first match decides for files.
constexpr StateSuffix stateSuffixes[] = {
    {"_active_on", ActiveOn},     {"_on_active", ActiveOn},     {"_active_off", ActiveOff},
    {"_off_active", ActiveOff},   {"_disabled_off", DisabledOff}, {"_off_disabled", DisabledOff},
    {"_disabled_on", DisabledOn}, {"_on_disabled", DisabledOn}, {"_on", NormalOn},
    {"_off", NormalOff},
};

int slotOfStateFile(const QString &stem)
{
    for (const StateSuffix &entry : stateSuffixes) {
        if (stem.endsWith(QLatin1String(entry.suffix)))
            return entry.slot;
    }
    return NormalOn;
}

} // namespace

SvgUIButton::SvgUIButton(QWidget *parent) : QAbstractButton(parent)
{
}

SvgUIButton::~SvgUIButton() = default;

QString SvgUIButton::stateElement(QIcon::Mode mode, QIcon::State state) const
{
    return m_stateElements[stateSlot(mode, state)];
}

QString SvgUIButton::effectiveStateElement(QIcon::Mode mode, QIcon::State state) const
{
    for (int slot : fallbackOrder[stateSlot(mode, state)]) {
        if (!m_stateElements[slot].isEmpty())
            return m_stateElements[slot];
    }
    return QString();
}

QSize SvgUIButton::sizeHint() const
{
    if (!m_renderer)
        return QSize();
    const QRectF bounds = m_renderer->elementBounds(m_file, m_element, m_clip);
    return QSizeF(bounds.width() * m_scaleX, bounds.height() * m_scaleY).toSize();
}

void SvgUIButton::setStateElement(const QString &element, QIcon::Mode mode, QIcon::State state)
{
    m_stateElements[stateSlot(mode, state)] = element;
    updateGeometry();
}

void SvgUIButton::resolveStateElement(const QString &file, const QString &element,
                                      const QString &clip)
{
    m_file = skinImagePath(file);
    if (!m_renderer)
        m_renderer = SvgUIRenderer::rendererFor(m_file);
    m_element = element;
    m_clip = clip;
    // A new skin setting replaces every state of the old one.
    m_stateElements.fill(QString());
    m_fileMode = element.isEmpty();
    if (m_fileMode) {
        resolveStateFiles(file);
    } else {
        m_renderer->loadIfChanged(m_file);
        if (m_renderer->elementExists(element))
            m_stateElements[ActiveOn] = element;
        for (const StateSuffix &entry : stateSuffixes) {
            const QString variant = element + QLatin1String(entry.suffix);
            if (m_renderer->elementExists(variant))
                m_stateElements[entry.slot] = variant;
        }
    }
    updateGeometry();
    update();
}

void SvgUIButton::resolveStateFiles(const QString &file)
{
    const QString folder = resourcepaths::images();
    const QStringList names = QDir(folder).entryList({file + QStringLiteral("*.svg")},
                                                     QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString path = folder + name;
        m_stateElements[slotOfStateFile(name.chopped(4).mid(file.size()))] = path;
        if (m_autoMask) {
            m_maskFile = path;
            m_maskElement.clear();
        }
    }
}

void SvgUIButton::setMaskEnabled(bool on)
{
    m_maskFile = on ? m_file : QString();
    m_autoMask = on;
    if (on)
        m_maskElement = m_element;
}

void SvgUIButton::setMaskSource(const QString &file, const QString &element)
{
    m_maskFile = skinImagePath(file);
    m_autoMask = element == QLatin1String("auto");
    m_maskElement = m_autoMask ? m_element : element;
}

void SvgUIButton::setScaleFactors(float sx, float sy)
{
    m_scaleX = sx;
    m_scaleY = sy;
    updateGeometry();
}

bool SvgUIButton::setButtonMode(Mode mode)
{
    if (mode == Combo || (mode == DropDown && !m_menu))
        return false;
    m_mode = mode;
    return true;
}

void SvgUIButton::setDefaultAction(QAction *action)
{
    if (m_defaultAction) {
        disconnect(m_defaultAction, nullptr, this, nullptr);
        disconnect(this, &QAbstractButton::clicked, m_defaultAction, nullptr);
    }
    m_defaultAction = action;
    if (!action)
        return;
    setText(action->text());
    setToolTip(action->toolTip());
    setEnabled(action->isEnabled());
    if (action->isCheckable()) {
        setCheckable(true);
        setChecked(action->isChecked());
    }
    connect(action, &QAction::changed, this, &SvgUIButton::actionChangedEvent);
    // The click has already toggled the button; the action decides (an exclusive group keeps
    // its checked action checked), and the button follows it.
    connect(this, &QAbstractButton::clicked, action, [this, action] {
        action->trigger();
        if (m_defaultAction == action)
            actionChangedEvent();
    });
}

void SvgUIButton::setMenu(QMenu *menu)
{
    if (m_menu)
        disconnect(m_menu, nullptr, this, nullptr);
    m_menu = menu;
    if (m_mode != Combo)
        m_mode = DropDown;
    if (menu) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            setDown(false);
            update();
        });
    }
}

void SvgUIButton::setOverlay(int x, int y, int width, int height, const QColor &color)
{
    m_overlayRect = QRect(x, y, width, height);
    m_overlayColor = color;
}

void SvgUIButton::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
}

void SvgUIButton::setMaskKeptOnScreen(bool on)
{
    m_maskKeptOnScreen = on;
}

void SvgUIButton::setPenAsMouse(bool on)
{
    m_penAsMouse = on;
}

void SvgUIButton::updateStateElement()
{
    const QIcon::State state = isDown() || isChecked() ? QIcon::On : QIcon::Off;
    const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled
                             : m_hovered  ? QIcon::Active
                                          : QIcon::Normal;
    const QString chosen = effectiveStateElement(mode, state);
    if (!m_fileMode)
        m_element = chosen;
    else if (!chosen.isEmpty())
        m_file = chosen;
    if (!m_autoMask)
        return;
    if (m_fileMode) {
        m_maskFile = m_file;
        m_maskElement.clear();
    } else {
        m_maskElement = m_element;
    }
}

void SvgUIButton::updateFloatingMask(const QBitmap &mask)
{
    m_floatingPixmap = QPixmap();
    setMask(mask);
    m_maskRegion = QRegion(mask);
    QPixmap rendering(size());
    rendering.fill(Qt::transparent);
    render(&rendering, QPoint(), QRegion(), QWidget::DrawChildren);
    m_floatingPixmap = rendering;
    keepMaskOnScreen();
    update();
}

void SvgUIButton::setEnabled(bool on)
{
    QAbstractButton::setEnabled(on);
    emit enabled(on);
    emit disabled(!on);
}

void SvgUIButton::actionChangedEvent()
{
    if (!m_defaultAction)
        return;
    if (isCheckable())
        setChecked(m_defaultAction->isChecked());
    setEnabled(m_defaultAction->isEnabled());
}

bool SvgUIButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        if (m_penAsMouse && isEnabled()) {
            auto *pen = static_cast<QTabletEvent *>(event);
            pen->accept();
            const bool press = event->type() == QEvent::TabletPress;
            QMouseEvent mouse(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                              pen->position(), pen->globalPosition(), Qt::LeftButton,
                              press ? Qt::LeftButton : Qt::NoButton, pen->modifiers());
            if (press)
                mousePressEvent(&mouse);
            else
                mouseReleaseEvent(&mouse);
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (m_mode == HandOver && !isEnabled())
            return false;
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void SvgUIButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    updateStateElement();
    if (!m_floatingPixmap.isNull())
        painter.drawPixmap(0, 0, m_floatingPixmap);
    if (m_renderer)
        m_renderer->drawElement(&painter, m_file, m_element, m_clip, size(), layoutDirection());
    emit paintDone();
}

void SvgUIButton::resizeEvent(QResizeEvent *event)
{
    if (!m_maskFile.isEmpty() && m_renderer) {
        const QBitmap mask = m_renderer->cachedMask(m_maskFile, m_maskElement, m_clip, width(),
                                                    height(), layoutDirection());
        setMask(mask);
        m_maskRegion = QRegion(mask);
    }
    QAbstractButton::resizeEvent(event);
}

void SvgUIButton::moveEvent(QMoveEvent *event)
{
    keepMaskOnScreen();
    QAbstractButton::moveEvent(event);
}

namespace {

// The modelled screen that holds the point, else the first one the rectangle reaches, else the
// primary screen.
QRect desktopScreenOf(const QRect &window)
{
    const Desktop *desktop = Desktop::instance();
    for (int screen = 0; screen < desktop->screenCount(); ++screen) {
        if (desktop->screenGeometry(screen).contains(window.topLeft()))
            return desktop->screenGeometry(screen);
    }
    for (int screen = 0; screen < desktop->screenCount(); ++screen) {
        if (desktop->screenGeometry(screen).intersects(window))
            return desktop->screenGeometry(screen);
    }
    return desktop->screenCount() > 0 ? desktop->screenGeometry(0) : QRect();
}

} // namespace

void SvgUIButton::keepMaskOnScreen()
{
    if (!m_maskKeptOnScreen || parentWidget() || m_maskRegion.isEmpty())
        return;
    const QRect screenRect = desktopScreenOf(geometry());
    if (screenRect.isEmpty())
        return;
    QRegion region = m_maskRegion;
    const int lastColumn = screenRect.right() - x();
    if (lastColumn < width() - 1)
        region -= QRect(lastColumn + 1, 0, width(), height());
    const int lastRow = screenRect.bottom() - y();
    if (lastRow < height() - 1)
        region -= QRect(0, lastRow + 1, width(), height());
    setMask(region);
}

void SvgUIButton::enterEvent(QEnterEvent *event)
{
    m_handedOver = false;
    m_hovered = true;
    update();
    emit sigEnter();
    QAbstractButton::enterEvent(event);
}

void SvgUIButton::leaveEvent(QEvent *event)
{
    m_handedOver = false;
    m_hovered = false;
    update();
    emit sigLeave();
    QAbstractButton::leaveEvent(event);
}

void SvgUIButton::mousePressEvent(QMouseEvent *event)
{
    QToolTip::showText(QCursor::pos(), QString());
    m_pressPos = event->position().toPoint();
    QAbstractButton::mousePressEvent(event);
    if ((m_mode == DropDown || m_mode == Combo) && event->button() == Qt::LeftButton)
        popUpMenu();
}

void SvgUIButton::popUpMenu()
{
    if (!m_menu || !screen())
        return;
    const QRect available = screen()->availableGeometry();
    const QSize size = m_menu->sizeHint();
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (place.x() + size.width() > available.right() + 1)
        place.setX(available.right() + 1 - size.width());
    if (place.y() + size.height() > available.bottom() + 1)
        place.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    m_menu->popup(place);
}

void SvgUIButton::mouseMoveEvent(QMouseEvent *event)
{
    // Once handed over, moves go on to the parent, which now runs the drag.
    if (m_handedOver) {
        event->ignore();
        return;
    }
    QAbstractButton::mouseMoveEvent(event);
    if (m_mode != HandOver || isDown() || !(event->buttons() & Qt::LeftButton))
        return;
    m_handedOver = true;
    if (QWidget *parent = parentWidget()) {
        QMouseEvent press(QEvent::MouseButtonPress, mapToParent(m_pressPos),
                          mapToGlobal(m_pressPos), Qt::LeftButton, Qt::LeftButton,
                          event->modifiers());
        QCoreApplication::sendEvent(parent, &press);
    }
    event->ignore();
}

void SvgUIButton::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractButton::mouseReleaseEvent(event);
    if (m_handedOver) {
        m_handedOver = false;
        event->ignore();
    }
}

void SvgUIButton::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_contextMenu)
        m_contextMenu->popup(event->globalPos());
    else
        QAbstractButton::contextMenuEvent(event);
}
