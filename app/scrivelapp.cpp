#include "app/scrivelapp.h"

#include "app/apppanelservices.h"
#include "app/preferencesstore.h"
#include "app/scriveldialog.h"
#include "app/scrivelmsgbox.h"
#include "app/traytooltip.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"
#include "recognition/inputmode.h"
#include "calculator/solveexpression.h"
#include "windows/calcservices.h"
#include "windows/imfintegrator.h"
#include "windows/userdictionaries.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QFinalState>
#include <QLoggingCategory>
#include <QScreen>
#include <QSettings>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcState, "scrivel.app.state", QtWarningMsg)

const char productName[] = "Inkora Scrivel";
const char trayImage[] = ":/data/images/scrivel_ico48.png";

QRect availableDesktop()
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop = desktop.united(screen->availableGeometry());
    return desktop;
}

QString commonDictionaryPath()
{
    return applicationPath(CommonDataFolder) + QStringLiteral("/CommonDictionary.txt");
}

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

ScrivelApp::ScrivelApp(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_integrator(new IMFIntegrator(this))
{
    setQuitOnLastWindowClosed(false);
    CalcServices::setSolver(&solveExpression);
    // Until the store is read the autostart entry counts as absent, so that a save before
    // the first read cannot register the program.
    m_preferences.behaviour.startWithSystem = m_autostartStored;
}

ScrivelApp::~ScrivelApp()
{
    // The machine goes before the panel that its states act on.
    delete m_machine;
    delete m_trayIcon;
    delete m_floatingMenu;
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

// The mode of the panel's input widget; a mode whose button hosts no widget yet (the
// calculator) is taken from the checked mode action, so that it is kept as chosen.
int ScrivelApp::currentInputMode() const
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    if (!panel)
        return UnknownMode;
    if (panel->inputWidget())
        return panel->inputWidget()->inputMode();
    const QAction *checked = panel->modeGroup() ? panel->modeGroup()->checkedAction() : nullptr;
    return checked ? checked->data().toInt() : int(UnknownMode);
}

void ScrivelApp::saveSettings()
{
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    writePreferences(store, m_preferences,
                     collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr),
                     m_loginMode ? m_startInputMode : currentInputMode());
    if (m_preferences.behaviour.startWithSystem != m_autostartStored
        && setStartWithWindows(m_preferences.behaviour.startWithSystem))
        m_autostartStored = m_preferences.behaviour.startWithSystem;
}

void ScrivelApp::loadSettings(LocalePrefs *locale, int *inputMode)
{
    QSettings store(organizationName(), applicationName());
    const QScreen *primary = primaryScreen();
    const PreferencesRead read = readPreferences(
        store, &m_preferences, primary ? primary->availableGeometry() : QRect(),
        availableDesktop());
    m_autostartStored = checkStartWithWindows();
    m_preferences.behaviour.startWithSystem = m_autostartStored;
    m_saveInk = read.saveInk;
    if (locale)
        *locale = read.locale;
    // A stored name that is no mode starts the panel in cursive writing, not without a pad.
    m_startInputMode = read.inputMode == UnknownMode ? int(CursiveMode) : read.inputMode;
    if (inputMode)
        *inputMode = m_startInputMode;
    loadDictionaries();
}

void ScrivelApp::loadInputWidgetSettings(InputWidget *widget)
{
    QSettings store(organizationName(), applicationName());
    if (widget)
        readInputWidgetSettings(store, *widget);
}

void ScrivelApp::saveInputWidgetSettings(InputWidget *widget)
{
    QSettings store(organizationName(), applicationName());
    if (widget)
        writeInputWidgetSettings(store, *widget);
}

void ScrivelApp::loadDictionaries()
{
    const QStringList personal = readPersonalDictionary();
    const QStringList common = readDictionaryFile(commonDictionaryPath());
    m_preferences.dictionaries = {personal, common};
    m_preferences.allWords = personal + common;
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
    connect(panel->getHideAction(), &QAction::triggered, this,
            &ScrivelApp::trayIconTriggerActivation);
    panel->setHiddenStateQuery([this] {
        return isPanelHiddenState()
               || (currentState() == FullScreenHiddenState
                   && !(m_floatingMenu && m_floatingMenu->isVisible()));
    });
}

void ScrivelApp::createTrayIcon()
{
    delete m_trayIcon;
    const QIcon icon(QString::fromLatin1(trayImage));
    m_trayIcon = new QSystemTrayIcon(icon, m_panel);
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    const QLocale writing = panel ? panel->currentWritingLocale() : QLocale();
    m_trayIcon->setToolTip(trayToolTip(writing));
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &ScrivelApp::emitActivationReason);
    m_openDialogs = 0;
    connect(this, &ScrivelApp::generalDialogEvent, m_trayIcon, [this](bool shown) {
        m_openDialogs = std::max(0, m_openDialogs + (shown ? 1 : -1));
        attachTrayMenu(m_openDialogs == 0);
    });
    if (!panel)
        return;
    connect(panel, &MainFrame::languageChanged, m_trayIcon, [this, panel] {
        m_trayIcon->setToolTip(trayToolTip(panel->currentWritingLocale()));
    });
    panel->setWindowIcon(icon);
}

void ScrivelApp::attachTrayMenu(bool attach)
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    m_trayIcon->setContextMenu(attach && panel ? panel->contextMenu() : nullptr);
}

void ScrivelApp::createFloatingMenuBar()
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
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
        m_floatingMiniKeyboard = new MiniKeyboard(m_preferences.behaviour, m_preferences.style,
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
            &ScrivelApp::checkPlatformForStateMachineBehaviour);
    connect(write, &QAbstractButton::toggled, this, &ScrivelApp::writeButtonClicked);
    connect(this, &ScrivelApp::layoutTimeLineFinished, menu, &FloatingMenu::manageWriteButton);
    connect(menu->fullScreenButton(), &QAbstractButton::clicked, this,
            &ScrivelApp::showWindowed);
    connect(menu->closeButton(), &QAbstractButton::clicked, this,
            &ScrivelApp::hideApplication);

    attachFloatingMiniKeyboard();
    menu->setContextMenu(panel->contextMenu());
    connect(panel, &MainFrame::enableUndoButtons, menu, &FloatingMenu::enableButtons);
    connect(panel, &MainFrame::languageChanged, menu, &FloatingMenu::languageChanged);
}

// The panel makes a new input widget at each change of mode: the keys follow to the new pad.
void ScrivelApp::attachFloatingMiniKeyboard()
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    if (!panel || panel != m_floatingMenuPanel || !panel->inputWidget())
        return;
    InputWidget *widget = panel->inputWidget();
    if (auto *pad = qobject_cast<Writepad *>(widget))
        pad->attachMiniKeyboard(m_floatingMiniKeyboard);
    connect(widget, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, &ScrivelApp::attachFloatingMiniKeyboard);
    });
}

void ScrivelApp::checkPlatformForStateMachineBehaviour(bool toggled)
{
    checkInputForQuickAccessBehaviourFullScreen(toggled, 0);
}

void ScrivelApp::checkInputForQuickAccessBehaviourFullScreen(bool start, int syncState)
{
    if (m_floatingMenu && sender() == m_floatingMenu->writeButton())
        start = !start;
    if (start && !m_fullScreenQuickAccess)
        m_quickAccessSyncState = syncState;
    m_fullScreenQuickAccess = start;
}

void ScrivelApp::showTrayIcon()
{
    if (!m_trayIcon)
        return;
    attachTrayMenu(m_openDialogs == 0);
    m_trayIcon->show();
}

void ScrivelApp::emitActivationReason(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        emit trayIconTriggerActivation();
}

void ScrivelApp::reactivateTrayIcon()
{
    if (!m_trayIcon)
        return;
    m_trayIcon->hide();
    m_trayIcon->show();
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
    createFloatingMenuBar();
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
    connect(windowedHiding, &QState::entered, this, &ScrivelApp::checkModeForHideBehaviour);
    connect(shownUnderDialog, &QState::entered, this, &ScrivelApp::enterShownUnderDialogState);
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
        connect(transition, &QSignalTransition::triggered, this,
                &ScrivelApp::checkFloatingMenuStateForTransitionBehaviour);
        if (signal == &ScrivelApp::quickAccessButtonClicked)
            m_quickAccessTransition = transition;
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
    targetless(windowedGroup, &ScrivelApp::showFullScreenMode);
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

    for (void (ScrivelApp::*signal)() : {&ScrivelApp::showLogin, &ScrivelApp::hideApplication}) {
        connect(targetless(shownLogin, signal), &QSignalTransition::triggered, this,
                &ScrivelApp::setPreviousState);
    }

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

void ScrivelApp::showPanel()
{
    if (!m_panel)
        return;
    if (m_preferences.windowedSize.isValid()) {
        m_panel->resize(m_preferences.windowedSize);
        m_panel->move(m_preferences.windowedPosition);
    }
    // The login keyboard stands at the top of the screen, centred.
    if (const QScreen *screen = primaryScreen(); screen && m_loginMode) {
        const QRect area = screen->availableGeometry();
        m_panel->move((area.left() + area.right()) / 2 - m_panel->width() / 2, area.top());
    }
    m_panel->show();
    m_panel->raise();
    qCInfo(lcState, "panel shown");
}

void ScrivelApp::hidePanel()
{
    if (m_panel)
        m_panel->hide();
}

void ScrivelApp::enterHiddenState()
{
    showTrayIcon();
    hidePanel();
}

void ScrivelApp::enterShownWindowedState()
{
    if (m_previousState == ShownTransparentState || m_previousState == FullScreenHiddenState)
        hideFullScreenFloatingMenu();
    showTrayIcon();
    showPanel();
}

// Plain hiding ends at once in Hidden; the slide modes wait in windowed-hiding for their
// animation to finish.
void ScrivelApp::checkModeForHideBehaviour()
{
    if (m_preferences.behaviour.hidingMode != BehaviourSettings::Hide)
        return;
    hidePanel();
    emit hideApp();
}

void ScrivelApp::enterFullScreenHiddenState()
{
    showTrayIcon();
    hidePanel();
    if (m_previousState != ShownTransparentState) {
        if (m_previousState == OsCheckState || m_previousState == ShownWindowedState)
            m_preferences.floatingMenuPosition = QPoint(0, 0);
        showFullScreenFloatingMenu();
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
        return;
    }
    // Left from transparent writing: hidden or by the tray it ends with the menu hidden, from
    // a sent text with the menu still shown.
    if (m_previousSubstate == 1 || m_previousSubstate == 4) {
        m_preferences.floatingMenuPosition = QPoint(0, 0);
        hideFullScreenFloatingMenu();
    } else if (m_previousSubstate == 5) {
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
    }
}

void ScrivelApp::showFullScreenFloatingMenu()
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
    QPoint position = m_preferences.floatingMenuPosition;
    const QScreen *screen = primaryScreen();
    if (position.isNull() && screen) {
        const QRect area = screen->availableGeometry();
        position = QPoint(area.x() + area.width() - 10 - menu->width(),
                          area.y() + area.height() - 10 - menu->height());
    }
    menu->move(position);
    menu->show();
    menu->raise();
}

void ScrivelApp::hideFullScreenFloatingMenu()
{
    if (m_floatingMenu)
        m_floatingMenu->hide();
}

void ScrivelApp::checkFloatingMenuStateForTransitionBehaviour()
{
    const bool shown = m_floatingMenu && m_floatingMenu->isVisible();
    if (sender() == m_quickAccessTransition) {
        if (!shown)
            showFullScreenFloatingMenu();
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
    } else if (shown) {
        m_preferences.floatingMenuPosition = QPoint(0, 0);
        hideFullScreenFloatingMenu();
    } else {
        showFullScreenFloatingMenu();
        checkInputForQuickAccessBehaviourFullScreen(true, 2);
    }
}

void ScrivelApp::enterShownTransparentState()
{
    showTrayIcon();
}

void ScrivelApp::enterShownUnderDialogState()
{
    // Under a dialog the panel is shown as a window, whatever state the dialog came from;
    // only a dialog over full-screen writing keeps its origin.
    switch (m_previousState) {
    case ShownTransparentState:
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
        hideFullScreenFloatingMenu();
    showPanel();
}

void ScrivelApp::enterShownLoginState()
{
    showTrayIcon();
    if (auto *panel = qobject_cast<MainFrame *>(m_panel.data())) {
        m_loginMode = true;
        panel->loginKeyboardMode();
        connect(panel->getHideAction(), &QAction::triggered, this,
                &ScrivelApp::hideApplication, Qt::UniqueConnection);
    }
    showPanel();
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

void ScrivelApp::setExitError(int code, const QString &detail)
{
    m_exitCode = code;
    m_exitDetail = detail;
}

QString ScrivelApp::exitMessage(int code, const QString &detail)
{
    const QString product = QString::fromLatin1(productName);
    switch (code) {
    case 1:
        return tr("%1 does not support your operating system environment.\nPlease check "
                  "minimum requirements, and note that earlier versions of %1 may be suitable.")
            .arg(product);
    case 4:
        return tr("Problem loading language resource files.\nReinstall %1 or your language "
                  "packs may solve this problem.")
            .arg(product);
    case 5:
        return tr("Resource loading error:\n%1").arg(detail);
    default:
        return QString();
    }
}

void ScrivelApp::enterExitScrivelState()
{
    m_exitCode = m_previousState == OsCheckState ? 1 : 0;
}

void ScrivelApp::scheduleExitSequence()
{
    QTimer::singleShot(0, this, &ScrivelApp::runExitSequence);
}

void ScrivelApp::runExitSequence()
{
    const QString message = exitMessage(m_exitCode, m_exitDetail);
    if (!message.isEmpty())
        ScrivelMsgBox::critical(nullptr, QString::fromLatin1(productName), message,
                                QMessageBox::Ok, QMessageBox::Ok);
    QTimer::singleShot(m_integrator->exitDelay(m_exitCode != 0), this,
                       &ScrivelApp::lastExitSequencePart);
}

void ScrivelApp::lastExitSequencePart()
{
    if (m_exitCode == 0)
        quit();
    else
        exit(1);
}
