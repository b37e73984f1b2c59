#include "app/fullscreenwriting.h"

#include "app/scrivelapp.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "recognition/inputmode.h"
#include "windows/imfintegrator.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"
#include "windows/winutils.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace {

// The skin mirrors its grids for a right-to-left interface, so the floating menu's frame
// pieces must draw mirrored too; the button row and the strips stay left to right.
void mirrorFramePieces(QLayout *layout, const QList<QWidget *> &kept)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (QLayout *inner = item->layout())
            mirrorFramePieces(inner, kept);
        else if (QWidget *piece = item->widget(); piece && !kept.contains(piece))
            piece->setLayoutDirection(Qt::RightToLeft);
    }
}

} // namespace

FullScreenWriting::FullScreenWriting(ScrivelApp *app, AppPreferences *preferences)
    : m_app(app)
    , m_preferences(preferences)
{
}

void FullScreenWriting::createFloatingMenuBar()
{
    auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow());
    if (!panel || (m_floatingMenu && m_floatingMenuPanel == panel))
        return;
    delete m_floatingMenu;
    m_floatingMenuPanel = panel;
    const SkinReader &skin = panel->skin();
    auto *menu = new FloatingMenu(panel, panel->magicAction(), panel->clearAction());
    m_floatingMenu = menu;
    // The bar holds the panel's skin pieces, actions and language menu: it goes with them.
    connect(panel, &QObject::destroyed, menu, [menu] { delete menu; });
    if (QLayout *layout = skin.layout(QStringLiteral("floatingLayout"))) {
        menu->setLayout(layout);
        if (QGuiApplication::layoutDirection() == Qt::RightToLeft)
            mirrorFramePieces(layout, {skin.widget(QStringLiteral("floatingMenu")),
                                       skin.widget(QStringLiteral("keyboardBackground")),
                                       skin.widget(QStringLiteral("writeButtonWidget"))});
    }
    setFloatingWindowFlags(menu, true);

    SvgUIButton *write = menu->writeButton();
    SvgUIButton *select = menu->selectButton();
    write->setCheckable(true);
    select->setCheckable(true);
    auto *modes = new QButtonGroup(menu);
    modes->setExclusive(true);
    modes->addButton(write);
    modes->addButton(select);
    write->setChecked(true);
    if (QWidget *bar = skin.widget(QStringLiteral("floatingMenu"))) {
        auto *row = new QHBoxLayout(bar);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(menu->sendButton());
        row->addWidget(write);
        row->addWidget(select);
        row->addStretch(1);
        row->addWidget(menu->magicButton());
        row->addWidget(menu->clearButton());
    }
    if (QLayout *bottom = skin.layout(QStringLiteral("bottomLayout"))) {
        menu->setTopMargin(bottom->contentsMargins().top());
        menu->setBottomMargin(bottom->contentsMargins().bottom());
    }

    QWidget *keyboardArea = skin.widget(QStringLiteral("keyboardBackground"));
    if (keyboardArea) {
        menu->setKeyboardArea(keyboardArea);
        keyboardArea->setFixedSize(256, 57);
        m_floatingMiniKeyboard = new MiniKeyboard(m_preferences->behaviour, m_preferences->style,
                                                  true, keyboardArea);
        auto *keys = new QHBoxLayout(keyboardArea);
        keys->setContentsMargins(0, 0, 0, 0);
        keys->addWidget(m_floatingMiniKeyboard);
        m_floatingMiniKeyboard->hide();
    }
    QWidget *writeArea = skin.widget(QStringLiteral("writeButtonWidget"));
    if (writeArea) {
        menu->setWriteButtonArea(writeArea);
        writeArea->setContentsMargins(0, 0, 0, 0);
        menu->fullScreenButton()->setFixedHeight(30);
        menu->closeButton()->setFixedHeight(30);
        auto *strip = new QHBoxLayout(writeArea);
        strip->setContentsMargins(0, 0, 0, 0);
        strip->setSpacing(0);
        strip->setDirection(QBoxLayout::LeftToRight);
        strip->addStretch(1);
        strip->addSpacing(10);
        strip->addWidget(menu->languageButton());
        strip->addSpacing(10);
        strip->addStretch(1);
        for (SvgUIButton *button : {menu->closeButton(), menu->fullScreenButton()}) {
            auto *separator = new SvgUIButton(writeArea);
            separator->resolveStateElement(QStringLiteral("skin"), QStringLiteral("separator"),
                                           QString());
            strip->addWidget(separator);
            strip->addStretch(1);
            strip->addWidget(button);
            strip->addStretch(1);
        }
    }

    if (writeArea)
        connect(write, &QAbstractButton::toggled, writeArea, &QWidget::setVisible);
    if (keyboardArea) {
        connect(select, &QAbstractButton::toggled, keyboardArea, &QWidget::setVisible);
        // The keys show with their strip; hidden, they would leave it empty.
        connect(select, &QAbstractButton::toggled, m_floatingMiniKeyboard.data(),
                &QWidget::setVisible);
    }
    connect(write, &QAbstractButton::toggled, menu, &FloatingMenu::updateSize);
    connect(select, &QAbstractButton::toggled, menu, &FloatingMenu::updateSize);
    connect(select, &QAbstractButton::toggled, this,
            &FullScreenWriting::checkPlatformForStateMachineBehaviour);
    connect(write, &QAbstractButton::toggled, m_app, &ScrivelApp::writeButtonClicked);
    connect(m_app, &ScrivelApp::layoutTimeLineFinished, menu, &FloatingMenu::manageWriteButton);
    connect(menu->fullScreenButton(), &QAbstractButton::clicked, m_app,
            &ScrivelApp::showWindowed);
    connect(menu->closeButton(), &QAbstractButton::clicked, m_app,
            &ScrivelApp::hideApplication);

    attachFloatingMiniKeyboard();
    menu->sendButton()->installEventFilter(this);
    menu->setContextMenu(panel->contextMenu());
    connect(panel, &MainFrame::enableUndoButtons, menu, &FloatingMenu::enableButtons);
    connect(panel, &MainFrame::languageChanged, menu, &FloatingMenu::languageChanged);
}

// The panel makes a new input widget at each change of mode: the keys follow to the new pad.
void FullScreenWriting::attachFloatingMiniKeyboard()
{
    auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow());
    if (!panel || panel != m_floatingMenuPanel || !panel->inputWidget())
        return;
    InputWidget *widget = panel->inputWidget();
    if (auto *pad = qobject_cast<Writepad *>(widget))
        pad->attachMiniKeyboard(m_floatingMiniKeyboard);
    connect(widget, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, &FullScreenWriting::attachFloatingMiniKeyboard);
    });
}

void FullScreenWriting::checkPlatformForStateMachineBehaviour(bool toggled)
{
    checkInputForQuickAccessBehaviourFullScreen(toggled, 0);
}

void FullScreenWriting::checkInputForQuickAccessBehaviourFullScreen(bool start, int syncState)
{
    if (m_floatingMenu && sender() == m_floatingMenu->writeButton())
        start = !start;
    if (start && !m_fullScreenQuickAccess)
        m_quickAccessSyncState = syncState;
    m_fullScreenQuickAccess = start;
}

void FullScreenWriting::showFullScreenFloatingMenu()
{
    FloatingMenu *menu = m_floatingMenu;
    if (!menu)
        return;
    if (menu->writeButton()->isChecked()) {
        const QSignalBlocker writeBlocker(menu->writeButton());
        const QSignalBlocker selectBlocker(menu->selectButton());
        menu->selectButton()->setChecked(true);
    }
    if (m_floatingMiniKeyboard)
        m_floatingMiniKeyboard->setVisible(menu->selectButton()->isChecked());
    menu->updateSize();
    QPoint position = m_preferences->floatingMenuPosition;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (position.isNull() && screen) {
        const QRect area = screen->availableGeometry();
        position = QPoint(area.x() + area.width() - 10 - menu->width(),
                          area.y() + area.height() - 10 - menu->height());
    }
    menu->move(position);
    menu->show();
    menu->raise();
}

void FullScreenWriting::hideFullScreenFloatingMenu()
{
    if (m_floatingMenu)
        m_floatingMenu->hide();
    m_floatingMenuNeedsPlacement = true;
}

void FullScreenWriting::checkFloatingMenuStateForTransitionBehaviour(bool quickAccessClick)
{
    const bool shown = m_floatingMenu && m_floatingMenu->isVisible();
    if (quickAccessClick) {
        if (!shown)
            showFullScreenFloatingMenu();
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
    } else if (shown) {
        m_preferences->floatingMenuPosition = QPoint(0, 0);
        hideFullScreenFloatingMenu();
    } else {
        showFullScreenFloatingMenu();
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
    }
}

bool FullScreenWriting::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (button && event->type() == QEvent::MouseButtonRelease && button->isDown()
        && button->isEnabled()
        && button->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        emit sendRequested();
    return QObject::eventFilter(watched, event);
}

QRect FullScreenWriting::maximizedRect() const
{
    if (m_preferences->maximizedSize.isValid())
        return QRect(m_preferences->maximizedPosition, m_preferences->maximizedSize);
    return PanelServices::instance()->desktopGeometry().adjusted(-5, -5, 5, 5);
}

ScrivelView *FullScreenWriting::ensureFullScreenInputWidget()
{
    auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow());
    auto *pad = panel ? qobject_cast<Writepad *>(panel->inputWidget()) : nullptr;
    if (!pad || pad->inputMode() != CursiveMode)
        return nullptr;
    if (!m_fullScreenView || m_fullScreenView->scene() != pad->scene())
        createFullScreenInputWidget(pad->scene());
    return m_fullScreenView;
}

void FullScreenWriting::createFullScreenInputWidget(ScrivelScene *scene)
{
    delete m_fullScreenView;
    int side = int(WritingDirection::LeftToRight);
    if (auto *pad = qobject_cast<Writepad *>(scene->parent()))
        side = int(pad->direction());
    auto *view = new ScrivelView(CursiveMode, scene, side);
    m_fullScreenView = view;
    view->setObjectName(QStringLiteral("fullScreenView"));
    // The view goes with the pad whose scene it shows.
    connect(scene, &QObject::destroyed, view, &QObject::deleteLater);
    setFloatingWindowFlags(view, true);
    view->setStyleSheet(QStringLiteral("background: transparent"));
    view->viewport()->setAttribute(Qt::WA_TranslucentBackground);
    view->viewport()->setAutoFillBackground(false);
    view->setGeometry(maximizedRect());
    view->setOrigin(m_translations[1].x(), m_translations[1].y());
    m_app->integrator()->setupInk(IMFIntegrator::FullScreenInk, view);
}

void FullScreenWriting::showFullScreenInputWidgetView()
{
    ScrivelView *view = ensureFullScreenInputWidget();
    if (!view)
        return;
    view->setGeometry(maximizedRect());
    view->show();
}

void FullScreenWriting::hideFullScreenInputWidgetView()
{
    if (!m_fullScreenView)
        return;
    m_fullScreenView->hide();
}

QPointF FullScreenWriting::widgetTranslation(int index) const
{
    return index == 0 || index == 1 ? m_translations[index] : QPointF();
}

void FullScreenWriting::setWidgetTranslation(int index, const QPointF &point)
{
    if (index != 0 && index != 1)
        return;
    m_translations[index] = point;
    ScrivelView *view = nullptr;
    if (index == 1) {
        view = ensureFullScreenInputWidget();
    } else if (auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow())) {
        if (auto *pad = qobject_cast<Writepad *>(panel->inputWidget()))
            view = pad->view();
    }
    if (view)
        view->setOrigin(point.x(), point.y());
}

void FullScreenWriting::mouseIsOnFloatingMenuEvent(const QPointF &point)
{
    if (!isFloatingMenuShown() || !m_fullScreenView || !m_fullScreenView->isVisible())
        return;
    const QPoint global = m_fullScreenView->viewport()->mapToGlobal(
        m_fullScreenView->mapFromScene(point));
    if (!m_floatingMenu->geometry().contains(global))
        return;
    hideFullScreenFloatingMenu();
    m_floatingMenuNeedsPlacement = true;
}

QPoint FullScreenWriting::adjustGlobalFloatingMenuPosition(const QRectF &rect,
                                                           const QPoint &point) const
{
    const QRect area = PanelServices::instance()->availableGeometry();
    const QSize size = m_floatingMenu ? m_floatingMenu->size() : QSize();
    QPoint place = point;
    if (place.y() > area.bottom() + 1 - size.height())
        place.setY(int(rect.top()) - size.height());
    place.setX(std::max(place.x(), area.left()));
    place.setY(std::max(place.y(), area.top()));
    place.setX(std::min(place.x(), area.right() + 1 - size.width()));
    return place;
}

void FullScreenWriting::setTranslation(const QRectF &rect)
{
    auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow());
    if (!panel)
        return;
    // The pad's view inside the panel: the ink's rectangle becomes that view's.
    QMargins margins;
    if (auto *pad = qobject_cast<Writepad *>(panel->inputWidget())) {
        const QWidget *viewport = pad->view()->viewport();
        const QPoint offset = viewport->mapTo(panel, QPoint(0, 0));
        margins = QMargins(offset.x(), offset.y(),
                           panel->width() - offset.x() - viewport->width(),
                           panel->height() - offset.y() - viewport->height());
    } else if (QLayout *layout = panel->layout()) {
        margins = layout->contentsMargins();
    }
    const QPoint corner(int(std::lround(rect.left())), int(std::lround(rect.top())));
    QPoint position = corner - QPoint(margins.left(), margins.top());
    const int height = std::max(int(rect.height()) + margins.top() + margins.bottom(),
                                panel->minimumHeight());
    const int width = std::max(int(rect.width()) + margins.left() + margins.right(),
                               panel->minimumWidth());
    const QRect area = PanelServices::instance()->availableGeometry();
    position.setX(std::max(std::min(position.x(), area.right() + 1 - width), area.left()));
    position.setY(std::max(std::min(position.y(), area.bottom() + 1 - height), area.top()));
    m_preferences->windowedPosition = position;
    m_preferences->windowedSize = QSize(width, height);
}

void FullScreenWriting::setFullScreenMinGUIWidgetPos(const QRectF &rect)
{
    setTranslation(rect);
    if (!m_floatingMenu || !m_floatingMenuNeedsPlacement)
        return;
    const QPoint beside(int(rect.right()) + 10, int(rect.bottom()) + 10);
    m_floatingMenu->move(adjustGlobalFloatingMenuPosition(rect, beside));
    m_floatingMenu->show();
    m_floatingMenu->raise();
    m_floatingMenuNeedsPlacement = false;
}

void FullScreenWriting::adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &rect)
{
    const int state = m_app->currentState();
    const bool underTransparent = state == ScrivelApp::ShownUnderDialogState
                                  && m_app->previousState() == ScrivelApp::ShownTransparentState;
    if ((state != ScrivelApp::ShownTransparentState
         && state != ScrivelApp::FullScreenHiddenState && !underTransparent)
        || !isFloatingMenuShown() || !m_fullScreenView)
        return;
    const QRect view = m_fullScreenView->mapFromScene(rect).boundingRect();
    const QRect candidates(m_fullScreenView->viewport()->mapToGlobal(view.topLeft()),
                           view.size());
    if (!candidates.intersects(m_floatingMenu->geometry()))
        return;
    const QPoint past(m_floatingMenu->x(), candidates.bottom() + 10);
    m_floatingMenu->move(adjustGlobalFloatingMenuPosition(QRectF(candidates), past));
}
