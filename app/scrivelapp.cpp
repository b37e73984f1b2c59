#include "app/scrivelapp.h"

#include "app/aboutbox.h"
#include "app/apppanelservices.h"
#include "app/scrivelmsgbox.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "panel/scriveldialog.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "skin/skinreader.h"
#include "calculator/calcresultwriters.h"
#include "calculator/solveexpression.h"
#include "windows/calcservices.h"
#include "windows/imfintegrator.h"
#include "windows/winutils.h"

#include <QFinalState>
#include <QLoggingCategory>
#include <QScreen>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>
#include <QWidget>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcState, "scrivel.app.state", QtWarningMsg)

} // namespace

ScrivelApp::ScrivelApp(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_integrator(new IMFIntegrator(this))
{
    setQuitOnLastWindowClosed(false);
    CalcServices::setSolver(&solveExpression);
    CalcServices::setWriter(&formatCalcResult);
    // Until the store is read the autostart entry counts as absent, so that a save before
    // the first read cannot register the program.
    m_preferences.behaviour.startWithSystem = m_autostartStored;
    connect(&m_slider, &PanelSlider::pointerEntered, &m_fader, &PanelFader::disableAutoHiding);
    connect(&m_slider, &PanelSlider::pointerEntered, this, &ScrivelApp::semiSlid);
    connect(&m_slider, &PanelSlider::pointerLeft, &m_fader, &PanelFader::enableAutoHiding);
    connect(&m_slider, &PanelSlider::clicked, this, &ScrivelApp::trayIconTriggerActivation);
    connect(&m_slider, &PanelSlider::animationFinished, this, &ScrivelApp::animationFinished);
    connect(&m_slider, &PanelSlider::animationFinishedFullySlide, this,
            &ScrivelApp::animationFinishedFullySlide);
    connect(&m_slider, &PanelSlider::animationFinishedSemiSlide, this,
            &ScrivelApp::animationFinishedSemiSlide);
    connect(&m_fader, &PanelFader::autoHideTimeout, this, &ScrivelApp::hideApplication);
    connect(&m_fullScreen, &FullScreenWriting::sendRequested, this,
            &ScrivelApp::checkStateForSendActionBehaviour);
}

ScrivelApp::~ScrivelApp()
{
    // The machine goes before the panel that its states act on.
    m_fader.disableAutoHiding();
    m_slider.stopSliding();
    delete m_slider.sliderButton();
    delete m_machine;
    delete m_trayIcon;
    delete m_fullScreen.floatingMenu();
    delete m_panel;
}

ScrivelApp *ScrivelApp::instance()
{
    return qobject_cast<ScrivelApp *>(QCoreApplication::instance());
}

void ScrivelApp::setPanelWindow(QWidget *panel)
{
    m_panel = panel;
}

void ScrivelApp::setLockHiding(bool lock)
{
    m_lockHiding = lock;
}

void ScrivelApp::createMainFrame()
{
    if (m_panel)
        return;
    AppPanelServices::install(this);
    auto *panel = new MainFrame;
    m_panel = panel;
    connect(panel->showAction(), &QAction::triggered, this,
            &ScrivelApp::trayIconTriggerActivation);
    connect(this, &ScrivelApp::toggleMiniKeyboard, panel, [panel](bool shown) {
        panel->keypadAction()->setChecked(shown);
        panel->toggleMiniKeyboardActEvent(shown);
    });
    connect(panel, &MainFrame::aboutRequested, this, [panel] {
        AboutBox box(panel);
        box.exec();
    });
    connect(panel->getHideAction(), &QAction::triggered, this,
            &ScrivelApp::trayIconTriggerActivation);
    if (auto *fullScreen = qobject_cast<QAbstractButton *>(
            panel->skin().widget(QStringLiteral("fullScreenButton"))))
        connect(fullScreen, &QAbstractButton::clicked, this, &ScrivelApp::showFullScreenMode);
    PadServices *services = PanelServices::instance();
    connect(services, &PadServices::emptyFullScreenWritepadEvent, this,
            &ScrivelApp::emptyFullScreenWritepadEvent, Qt::UniqueConnection);
    connect(services, &PadServices::isNotVsdMoveBeforeWritingInApp, this,
            &ScrivelApp::isNotVsdMoveBeforeWritingInApp, Qt::UniqueConnection);
    connect(this, &ScrivelApp::startShowing, services, &PadServices::startShowing,
            Qt::UniqueConnection);
    connect(this, &ScrivelApp::newStateFromTransparentWithText, services,
            &PadServices::newStateFromTransparentWithText, Qt::UniqueConnection);
    connect(this, &ScrivelApp::newStateFromWindowWithText, services,
            &PadServices::newStateFromWindowWithText, Qt::UniqueConnection);
    connect(services, &PadServices::layoutTimeLineFinished, this,
            &ScrivelApp::layoutTimeLineFinished, Qt::UniqueConnection);
    panel->setHiddenStateQuery([this] {
        return isPanelHiddenState()
               || (currentState() == FullScreenHiddenState
                   && !m_fullScreen.isFloatingMenuShown());
    });
}

QStateMachine *ScrivelApp::buildStateMachine(const QList<CommandLineOption> &options)
{
    auto *machine = new QStateMachine(this);
    m_stateNumbers.clear();
    m_previousNumbers.clear();
    m_substateNumbers.clear();
    m_previousState = HiddenState;
    m_previousSubstate = 3;
    m_loginMode = false;
    createMainFrame();
    createTrayIcon();
    m_fullScreen.createFloatingMenuBar();
    m_slider.createSliderButton();
    m_slider.stopSliding();
    m_fader.disableAutoHiding();
    m_fader.setPointerOutside(true);
    connect(this, &ScrivelApp::generalDialogEvent, this,
            &ScrivelApp::checkPreviousStateForSettingOutStateUnderDialog, Qt::UniqueConnection);

    auto *osCheck = new QState;
    auto *hidden = new QState;
    auto *transparentGroup = new QState;
    auto *fullScreenHidden = new QState;
    auto *windowedGroup = new QState;
    auto *semiSlidGroup = new QState;
    auto *fullySlidGroup = new QState;
    auto *underDialogGroup = new QState;
    auto *exitScrivel = new QState;
    auto *shownLogin = new QState;

    auto *shownWindowed = new QState(windowedGroup);
    auto *windowedHiding = new QState(windowedGroup);
    auto *shownSemiSlid = new QState(semiSlidGroup);
    auto *semiSlidShowing = new QState(semiSlidGroup);
    auto *shownFullySlid = new QState(fullySlidGroup);
    auto *fullySlidShowing = new QState(fullySlidGroup);
    auto *fullySlidSemiSliding = new QState(fullySlidGroup);
    auto *shownUnderDialog = new QState(underDialogGroup);
    auto *underDialogShowing = new QState(underDialogGroup);
    auto *shownTransparent = new QState(transparentGroup);
    QFinalState *finals[5];
    for (int i = 0; i < 5; ++i) {
        finals[i] = new QFinalState(transparentGroup);
        m_substateNumbers.insert(finals[i], i + 1);
    }
    windowedGroup->setInitialState(shownWindowed);
    semiSlidGroup->setInitialState(shownSemiSlid);
    fullySlidGroup->setInitialState(shownFullySlid);
    underDialogGroup->setInitialState(shownUnderDialog);
    transparentGroup->setInitialState(shownTransparent);

    const std::pair<QState *, int> numbered[] = {
        {osCheck, OsCheckState},           {hidden, HiddenState},
        {shownTransparent, ShownTransparentState}, {fullScreenHidden, FullScreenHiddenState},
        {shownWindowed, ShownWindowedState}, {shownSemiSlid, ShownSemiSlidState},
        {shownFullySlid, ShownFullySlidState}, {shownUnderDialog, ShownUnderDialogState},
        {exitScrivel, ExitScrivelState},     {shownLogin, ShownLoginState}};
    for (const auto &[state, number] : numbered) {
        m_stateNumbers.insert(state, number);
        connect(state, &QState::entered, this, &ScrivelApp::changeStateProperty);
    }
    const std::pair<QState *, int> previous[] = {
        {osCheck, OsCheckState},           {hidden, HiddenState},
        {transparentGroup, ShownTransparentState}, {fullScreenHidden, FullScreenHiddenState},
        {windowedGroup, ShownWindowedState}, {shownWindowed, ShownWindowedState},
        {semiSlidGroup, ShownSemiSlidState}, {shownSemiSlid, ShownSemiSlidState},
        {fullySlidGroup, ShownFullySlidState}, {shownFullySlid, ShownFullySlidState},
        {underDialogGroup, ShownUnderDialogState}, {shownUnderDialog, ShownUnderDialogState}};
    for (const auto &[state, number] : previous) {
        m_previousNumbers.insert(state, number);
        connect(state, &QState::exited, this, &ScrivelApp::setPreviousState);
    }
    const std::pair<QState *, int> substates[] = {
        {shownWindowed, 0}, {shownSemiSlid, 0}, {shownFullySlid, 0}, {shownUnderDialog, 0},
        {shownTransparent, 0}, {windowedHiding, 1}, {semiSlidShowing, 1},
        {fullySlidSemiSliding, 1}, {underDialogShowing, 1}, {fullySlidShowing, 2}};
    for (const auto &[state, number] : substates)
        m_substateNumbers.insert(state, number);
    // Only the final states tell how the transparent group was left.
    for (QFinalState *finalState : finals)
        connect(finalState, &QAbstractState::exited, this, &ScrivelApp::setPreviousSubstate);

    connect(osCheck, &QState::entered, this, &ScrivelApp::checkSW);
    connect(hidden, &QState::entered, this, &ScrivelApp::enterHiddenState);
    connect(shownTransparent, &QState::entered, this, &ScrivelApp::enterShownTransparentState);
    connect(fullScreenHidden, &QState::entered, this, &ScrivelApp::enterFullScreenHiddenState);
    connect(shownWindowed, &QState::entered, this, &ScrivelApp::enterShownWindowedState);
    connect(windowedHiding, &QState::entered, &m_fader, &PanelFader::stopAutoHideTimer);
    connect(windowedHiding, &QState::entered, &m_fader, &PanelFader::enableAutoHiding);
    connect(windowedHiding, &QState::entered, this, &ScrivelApp::checkModeForHideBehaviour);
    connect(windowedGroup, &QState::exited, this, &ScrivelApp::disconnectCheckCursorPosition);
    connect(shownSemiSlid, &QState::entered, this, &ScrivelApp::enterShownSemiSlidState);
    connect(shownFullySlid, &QState::entered, this, &ScrivelApp::enterShownFullySlidState);
    connect(fullySlidSemiSliding, &QState::entered, &m_slider, &PanelSlider::semiSliding);
    for (QState *showing : {semiSlidShowing, fullySlidShowing}) {
        connect(showing, &QState::entered, this, &ScrivelApp::showingFromSlide);
        connect(showing, &QState::entered, &m_fader, &PanelFader::disableAutoHiding);
    }
    connect(underDialogShowing, &QState::entered, this, &ScrivelApp::showShownWindowed);
    connect(shownUnderDialog, &QState::entered, this, &ScrivelApp::enterShownUnderDialogState);
    connect(shownUnderDialog, &QState::entered, &m_fader, &PanelFader::disableAutoHiding);
    connect(exitScrivel, &QState::entered, this, &ScrivelApp::enterExitScrivelState);
    connect(exitScrivel, &QState::entered, this, &ScrivelApp::scheduleExitSequence);
    connect(shownLogin, &QState::entered, this, &ScrivelApp::enterShownLoginState);

    QState *start = hidden;
    if (hasOption(options, NoOption) || hasOption(options, WindowedOption))
        start = windowedGroup;
    else if (hasOption(options, LoginOption))
        start = shownLogin;
    else if (hasOption(options, FullScreenOption))
        start = fullScreenHidden;

    auto targetless = [this](QState *from, void (ScrivelApp::*signal)()) {
        return new QSignalTransition(this, signal, from);
    };

    osCheck->addTransition(this, &ScrivelApp::swChecked, start);
    osCheck->addTransition(this, &ScrivelApp::exitApp, exitScrivel);

    hidden->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    hidden->addTransition(this, &ScrivelApp::trayIconTriggerActivation, windowedGroup);
    hidden->addTransition(this, &ScrivelApp::quickAccessButtonClicked, windowedGroup);
    hidden->addTransition(this, &ScrivelApp::exitApp, exitScrivel);
    hidden->addTransition(this, &ScrivelApp::showFullScreenMode, fullScreenHidden);

    QSignalTransition *layoutDone = targetless(shownTransparent,
                                               &ScrivelApp::layoutTimeLineFinished);
    m_previousNumbers.insert(layoutDone, ShownTransparentState);
    connect(layoutDone, &QSignalTransition::triggered, this,
            &ScrivelApp::notifyNewStateFromTransparentWithText);
    connect(layoutDone, &QSignalTransition::triggered, this, &ScrivelApp::setPreviousState);
    transparentGroup->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    shownTransparent->addTransition(this, &ScrivelApp::showWindowed, windowedGroup);
    shownTransparent->addTransition(this, &ScrivelApp::emptyFullScreenWritepadEvent, finals[2]);
    shownTransparent->addTransition(this, &ScrivelApp::sendWrittenText, finals[4]);
    shownTransparent->addTransition(this, &ScrivelApp::hideApplication, finals[0]);
    shownTransparent->addTransition(this, &ScrivelApp::trayIconTriggerActivation, finals[3]);
    shownTransparent->addTransition(this, &ScrivelApp::editButtonClicked, finals[1]);
    transparentGroup->addTransition(transparentGroup, &QState::finished, fullScreenHidden);

    for (void (ScrivelApp::*signal)() :
         {&ScrivelApp::hideApplication, &ScrivelApp::trayIconTriggerActivation,
          &ScrivelApp::quickAccessButtonClicked}) {
        QSignalTransition *transition = targetless(fullScreenHidden, signal);
        const bool quickAccessClick = signal == &ScrivelApp::quickAccessButtonClicked;
        connect(transition, &QSignalTransition::triggered, &m_fullScreen,
                [this, quickAccessClick] {
                    m_fullScreen.checkFloatingMenuStateForTransitionBehaviour(quickAccessClick);
                });
    }
    fullScreenHidden->addTransition(this, &ScrivelApp::isNotVsdMoveBeforeWritingInApp,
                                    transparentGroup);
    fullScreenHidden->addTransition(this, &ScrivelApp::showWindowed, windowedGroup);
    fullScreenHidden->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    fullScreenHidden->addTransition(this, &ScrivelApp::exitApp, exitScrivel);

    shownWindowed->addTransition(this, &ScrivelApp::hideApplication, windowedHiding);
    shownWindowed->addTransition(this, &ScrivelApp::trayIconTriggerActivation, windowedHiding);
    windowedHiding->addTransition(this, &ScrivelApp::hideApp, hidden);
    windowedHiding->addTransition(this, &ScrivelApp::animationFinishedFullySlide,
                                  fullySlidGroup);
    windowedGroup->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    connect(targetless(windowedGroup, &ScrivelApp::showFullScreenMode),
            &QSignalTransition::triggered, this, &ScrivelApp::checkInkForNextFullScreenState);
    windowedGroup->addTransition(this, &ScrivelApp::showFullScreenHiddenMode, fullScreenHidden);
    windowedGroup->addTransition(this, &ScrivelApp::showShownTransparentMode, transparentGroup);
    windowedGroup->addTransition(this, &ScrivelApp::exitApp, exitScrivel);

    shownSemiSlid->addTransition(this, &ScrivelApp::trayIconTriggerActivation, semiSlidShowing);
    shownSemiSlid->addTransition(this, &ScrivelApp::quickAccessButtonClicked, semiSlidShowing);
    semiSlidGroup->addTransition(this, &ScrivelApp::animationFinished, windowedGroup);
    semiSlidGroup->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    semiSlidGroup->addTransition(this, &ScrivelApp::animationFinishedFullySlide, fullySlidGroup);
    semiSlidGroup->addTransition(this, &ScrivelApp::showFullScreenMode, fullScreenHidden);

    shownFullySlid->addTransition(this, &ScrivelApp::trayIconTriggerActivation,
                                  fullySlidShowing);
    shownFullySlid->addTransition(this, &ScrivelApp::quickAccessButtonClicked,
                                  fullySlidShowing);
    shownFullySlid->addTransition(this, &ScrivelApp::semiSlid, fullySlidSemiSliding);
    fullySlidShowing->addTransition(this, &ScrivelApp::animationFinished, windowedGroup);
    fullySlidSemiSliding->addTransition(this, &ScrivelApp::animationFinishedSemiSlide,
                                        semiSlidGroup);
    fullySlidGroup->addTransition(this, &ScrivelApp::appDialogEvent, underDialogGroup);
    fullySlidGroup->addTransition(this, &ScrivelApp::showFullScreenMode, fullScreenHidden);

    shownUnderDialog->addTransition(this, &ScrivelApp::animationFinished, underDialogShowing);
    underDialogGroup->addTransition(this, &ScrivelApp::generalDialogShownWindowedEvent,
                                    windowedGroup);

    QSignalTransition *loginShow = targetless(shownLogin, &ScrivelApp::showLogin);
    connect(loginShow, &QSignalTransition::triggered, this, &ScrivelApp::showingNotFromSlide);
    connect(loginShow, &QSignalTransition::triggered, this, &ScrivelApp::setPreviousState);
    QSignalTransition *loginHide = targetless(shownLogin, &ScrivelApp::hideApplication);
    connect(loginHide, &QSignalTransition::triggered, this,
            &ScrivelApp::noAnimationHideBehaviour);
    connect(loginHide, &QSignalTransition::triggered, this, &ScrivelApp::setPreviousState);

    for (QState *state : {osCheck, hidden, transparentGroup, fullScreenHidden, windowedGroup,
                          semiSlidGroup, fullySlidGroup, underDialogGroup, exitScrivel,
                          shownLogin})
        machine->addState(state);
    machine->setInitialState(osCheck);
    return machine;
}

int ScrivelApp::currentState() const
{
    return m_machine ? m_machine->property("state").toInt() : OsCheckState;
}

bool ScrivelApp::isPanelHiddenState() const
{
    const int state = currentState();
    return state == HiddenState || state == ShownSemiSlidState || state == ShownFullySlidState;
}

bool ScrivelApp::isFullScreenState() const
{
    const int state = currentState();
    return state == ShownTransparentState || state == FullScreenHiddenState
           || (state == ShownUnderDialogState && m_previousState == ShownTransparentState);
}

void ScrivelApp::changeStateProperty()
{
    if (!m_machine)
        return;
    const int state = m_stateNumbers.value(sender(), OsCheckState);
    m_machine->setProperty("state", state);
    qCInfo(lcState, "state %d, panel %s", state,
           m_panel && m_panel->isVisible() ? "shown" : "hidden");
}

void ScrivelApp::setPreviousState()
{
    const auto it = m_previousNumbers.constFind(sender());
    if (it != m_previousNumbers.cend())
        m_previousState = it.value();
}

void ScrivelApp::setPreviousSubstate()
{
    const auto it = m_substateNumbers.constFind(sender());
    if (it != m_substateNumbers.cend())
        m_previousSubstate = it.value();
}

void ScrivelApp::checkSW()
{
    if (isWindows2000OrLater())
        emit swChecked();
    else
        emit exitApp();
}

void ScrivelApp::hidePanel()
{
    if (m_panel)
        m_panel->hide();
}

void ScrivelApp::enterHiddenState()
{
    if (m_previousState == OsCheckState)
        appAccessibilityChangedEvent(true);
    showTrayIcon();
    hidePanel();
}

void ScrivelApp::enterShownWindowedState()
{
    connect(m_integrator, &IMFIntegratorBase::mouseMove, &m_fader,
            &PanelFader::checkCursorPosition, Qt::UniqueConnection);
    showTrayIcon();
    switch (m_previousState) {
    case OsCheckState:
        appAccessibilityChangedEvent(true);
        showingNotFromSlide();
        break;
    case ShownTransparentState:
    case FullScreenHiddenState:
        removePadRect();
        if (m_previousState == ShownTransparentState)
            emit newStateFromTransparentWithText(false);
        m_fullScreen.hideFullScreenFloatingMenu();
        m_fullScreen.hideFullScreenInputWidgetView();
        m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(false, 0);
        showingNotFromSlide();
        m_fader.disableAutoHiding();
        m_remoteRequest = false;
        break;
    case ShownSemiSlidState:
    case ShownFullySlidState:
        showShownWindowed();
        break;
    case ShownUnderDialogState:
        appAccessibilityChangedEvent(true);
        if (m_fader.isPointerOutside())
            m_fader.enableAutoHiding();
        break;
    default:
        showingNotFromSlide();
        m_fader.disableAutoHiding();
        break;
    }
}

// Plain hiding ends at once in Hidden; the slide modes end fully slid behind the slider tab.
void ScrivelApp::checkModeForHideBehaviour()
{
    if (m_preferences.behaviour.hidingMode == BehaviourSettings::Hide || !m_slider.sliderButton()
        || !m_panel) {
        noAnimationHideBehaviour();
        return;
    }
    m_slider.hideBehindSlider();
    hidePanel();
    m_slider.fullSliding();
}

void ScrivelApp::enterShownSemiSlidState()
{
    if (m_previousState == ShownFullySlidState)
        m_slider.semiSlideFromFullSlide();
}

void ScrivelApp::enterShownFullySlidState()
{
    if (m_previousState == ShownWindowedState || m_previousState == ShownSemiSlidState)
        m_slider.fullySlide();
}

void ScrivelApp::noAnimationHideBehaviour()
{
    hidePanel();
    emit hideApp();
}

QRect ScrivelApp::prepareShowing()
{
    m_fader.setPanelOpacity(0.99);
    m_slider.stopSliding();
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    // A stored place off the work area (a screen since removed) is centred first.
    if (panel)
        panel->ensureOnScreen();
    QRect rect(m_preferences.windowedPosition, m_preferences.windowedSize);
    if (m_preferences.behaviour.dockingMode && panel) {
        panel->setDockingMode(true);
        const QRect available = PanelServices::instance()->availableGeometry();
        const int height = m_preferences.dockedHeightWindowed;
        rect = QRect(available.left(), available.bottom() - height + 1, available.width(),
                     height);
    }
    if (!rect.isValid() && m_panel)
        rect = m_panel->geometry();
    m_slider.setSlideTarget(panel ? panel->preventOverlap(rect) : rect.topLeft());
    return rect;
}

void ScrivelApp::showingFromSlide()
{
    if (!m_slider.sliderButton() || !m_panel)
        return;
    const QRect rect = prepareShowing();
    m_panel->resize(rect.size());
    m_slider.slideOut(rect);
}

void ScrivelApp::showingNotFromSlide()
{
    const QRect rect = prepareShowing();
    if (m_panel && rect.isValid() && !m_preferences.behaviour.dockingMode)
        m_panel->resize(rect.size());
    showShownWindowed();
}

void ScrivelApp::showShownWindowed()
{
    if (!m_panel)
        return;
    if (!m_preferences.behaviour.dockingMode) {
        m_panel->move(m_slider.slideTarget());
        m_preferences.windowedPosition = m_slider.slideTarget();
    }
    // The login keyboard stands at the top of the screen, centred.
    if (const QScreen *screen = primaryScreen(); screen && m_loginMode) {
        const QRect area = screen->availableGeometry();
        m_panel->move((area.left() + area.right()) / 2 - m_panel->width() / 2, area.top());
    }
    emit startShownWindowed();
    m_panel->show();
    m_panel->raise();
    if (m_slider.sliderButton())
        m_slider.sliderButton()->hide();
    qCInfo(lcState, "panel shown");
}

void ScrivelApp::disconnectCheckCursorPosition()
{
    disconnect(m_integrator, &IMFIntegratorBase::mouseMove, &m_fader,
               &PanelFader::checkCursorPosition);
}

void ScrivelApp::enterFullScreenHiddenState()
{
    m_integrator->startHookWatchdog(3000);
    if (m_previousState == OsCheckState)
        appAccessibilityChangedEvent(true);
    showTrayIcon();
    hidePanel();
    if (m_slider.sliderButton())
        m_slider.sliderButton()->hide();
    if (m_previousState != ShownTransparentState) {
        if (m_previousState == OsCheckState || m_previousState == ShownWindowedState)
            m_preferences.floatingMenuPosition = QPoint(0, 0);
        m_fullScreen.showFullScreenFloatingMenu();
        m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(true, 2);
        return;
    }
    // Left from transparent writing: hidden or by the tray it ends with the text cleared and
    // the menu hidden, from a sent text with the menu still shown.
    m_fullScreen.hideFullScreenInputWidgetView();
    removePadRect();
    switch (m_previousSubstate) {
    case 1:
    case 4:
        clearPanel();
        m_preferences.floatingMenuPosition = QPoint(0, 0);
        m_fullScreen.hideFullScreenFloatingMenu();
        break;
    case 2:
        clearPanel();
        break;
    case 5:
        m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(true, 2);
        break;
    default:
        break;
    }
}

void ScrivelApp::enterShownTransparentState()
{
    showTrayIcon();
    if (m_previousState == FullScreenHiddenState) {
        m_fullScreen.showFullScreenInputWidgetView();
        notifyStartShowingTransparent();
        raiseFullScreenWindows();
    } else if (m_previousState == ShownWindowedState) {
        hidePanel();
        emit hideApp();
        emit newStateFromWindowWithText();
        m_fader.disableAutoHiding();
        m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(true, 5);
        m_fullScreen.showFullScreenInputWidgetView();
        notifyStartShowingTransparent();
        m_fullScreen.setFloatingMenuNeedsPlacement(true);
        if (!padHoldsResult())
            m_fullScreen.showFullScreenFloatingMenu();
        else
            emit newStateFromTransparentWithText(true);
        raiseFullScreenWindows();
    }
    m_remoteRequest = false;
    if (Updater *updater = padUpdater())
        updater->unsetWritingCursor();
}

void ScrivelApp::notifyStartShowingTransparent()
{
    if (currentState() == ShownFullySlidState)
        hidePanel();
    emit startShowing();
}

void ScrivelApp::notifyNewStateFromTransparentWithText()
{
    if (currentState() == ShownTransparentState)
        emit newStateFromTransparentWithText(true);
}

void ScrivelApp::raiseFullScreenWindows()
{
    if (ScrivelView *view = m_fullScreen.getFullScreenInputWidgetView())
        view->raise();
    if (m_fullScreen.isFloatingMenuShown())
        m_fullScreen.floatingMenu()->raise();
}

void ScrivelApp::showForFullScreenWriting()
{
    if (!isFullScreenState())
        return;
    ScrivelView *view = m_fullScreen.getFullScreenInputWidgetView();
    if (!view || !view->isVisible()) {
        m_fullScreen.showFullScreenInputWidgetView();
        m_fader.disableAutoHiding();
        if (currentState() == ShownFullySlidState)
            hidePanel();
        emit startShowing();
        m_preferences.floatingMenuPosition = QPoint(0, 0);
        raiseFullScreenWindows();
    }
    m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(true, 5);
}

void ScrivelApp::checkInkForNextFullScreenState()
{
    if (padHoldsResult())
        emit showShownTransparentMode();
    else
        emit showFullScreenHiddenMode();
}

void ScrivelApp::checkStateForSendActionBehaviour()
{
    if (currentState() == ShownTransparentState)
        emit sendWrittenText();
}

Updater *ScrivelApp::padUpdater() const
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    auto *pad = panel ? qobject_cast<Writepad *>(panel->inputWidget()) : nullptr;
    return pad ? pad->updater() : nullptr;
}

bool ScrivelApp::padHoldsResult() const
{
    const Updater *updater = padUpdater();
    return updater && !updater->isEmpty();
}

void ScrivelApp::clearPanel()
{
    if (auto *panel = qobject_cast<MainFrame *>(m_panel.data()))
        panel->undoEvent(Clear);
}

void ScrivelApp::removePadRect()
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    if (auto *pad = panel ? qobject_cast<Writepad *>(panel->inputWidget()) : nullptr)
        pad->scene()->removeRect();
}

void ScrivelApp::enterShownUnderDialogState()
{
    // Under a dialog the panel is shown as a window, whatever state the dialog came from;
    // only a dialog over full-screen writing keeps its origin.
    // A slid panel slides back out; the under-dialog group shows it when the slide ends.
    const bool slid = m_previousState == ShownSemiSlidState
                      || m_previousState == ShownFullySlidState;
    switch (m_previousState) {
    case ShownTransparentState:
        removePadRect();
        emit newStateFromTransparentWithText(false);
        m_fullScreen.hideFullScreenInputWidgetView();
        m_previousState = ShownWindowedState;
        break;
    case HiddenState:
    case ShownWindowedState:
    case ShownSemiSlidState:
    case ShownFullySlidState:
        m_previousState = DialogOverShownPanel;
        break;
    default:
        break;
    }
    if (m_previousState == ShownWindowedState || m_previousState == FullScreenHiddenState)
        m_fullScreen.hideFullScreenFloatingMenu();
    appAccessibilityChangedEvent(false);
    if (slid)
        showingFromSlide();
    else if (!m_panel || !m_panel->isVisible())
        showingNotFromSlide();
}

void ScrivelApp::enterShownLoginState()
{
    if (m_previousState != OsCheckState)
        return;
    appAccessibilityChangedEvent(true);
    if (auto *panel = qobject_cast<MainFrame *>(m_panel.data())) {
        m_loginMode = true;
        panel->loginKeyboardMode();
        connect(panel->getHideAction(), &QAction::triggered, this,
                &ScrivelApp::hideApplication, Qt::UniqueConnection);
    }
    showingNotFromSlide();
}

// A message box that a dialog opens and closes leaves the panel under that dialog.
void ScrivelApp::checkPreviousStateForSettingOutStateUnderDialog(bool shown)
{
    if (shown && currentState() != ShownUnderDialogState)
        emit appDialogEvent();
    else if (!shown && currentState() == ShownUnderDialogState && !isDialogShown())
        emit generalDialogShownWindowedEvent();
}

bool ScrivelApp::isDialogShown()
{
    const QWidgetList windows = topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget *window) {
        return window->isVisible()
               && (qobject_cast<const ScrivelDialog *>(window)
                   || qobject_cast<const ScrivelMsgBox *>(window));
    });
}

