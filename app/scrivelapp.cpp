#include "app/scrivelapp.h"

#include "app/aboutbox.h"
#include "app/apppanelservices.h"
#include "app/preferencesstore.h"
#include "app/scriveldialog.h"
#include "app/scrivelmsgbox.h"
#include "app/settingsdocument.h"
#include "app/settingsfile.h"
#include "app/settingssubset.h"
#include "app/threadedlocalserver.h"
#include "app/traytooltip.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"
#include "recognition/configrepository.h"
#include "recognition/inputmode.h"
#include "calculator/solveexpression.h"
#include "windows/calcservices.h"
#include "windows/imfintegrator.h"
#include "windows/userdictionaries.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QBitmap>
#include <QLabel>
#include <QPainter>
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
#include <QTimerEvent>
#include <QWidget>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcState, "scrivel.app.state", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "scrivel.app.settings")

const char productName[] = "Inkora Scrivel";

// The subset of this version that the words of a second instance's "--set" values give: each
// word that splits at "=" into exactly two pieces is a key and its value.
SettingsDocument subsetFromValues(const QString &values)
{
    SettingsDocument document;
    document.setVersion(settingsGroupName());
    for (const QString &word : values.split(QLatin1Char(' '))) {
        const QStringList pair = word.split(QLatin1Char('='));
        if (pair.size() == 2)
            document.putGlobal(pair.at(0), pair.at(1));
    }
    return document;
}
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
    connect(&m_horizontalSlideLine, &QTimeLine::frameChanged, this, &ScrivelApp::sliderHMove);
    connect(&m_horizontalSlideLine, &QTimeLine::finished, this, &ScrivelApp::hSlideTLFinished);
    connect(&m_verticalSlideLine, &QTimeLine::frameChanged, this, &ScrivelApp::sliderVMove);
    connect(&m_verticalSlideLine, &QTimeLine::finished, this, &ScrivelApp::vSlideTLFinished);
    connect(&m_fadeLine, &QTimeLine::frameChanged, this, &ScrivelApp::fadingOut);
    connect(&m_fadeLine, &QTimeLine::finished, this, &ScrivelApp::startAutoHideTimer);
    m_fadeStartTimer.setSingleShot(true);
    connect(&m_fadeStartTimer, &QTimer::timeout, this, &ScrivelApp::startFadeTimeLine);
}

ScrivelApp::~ScrivelApp()
{
    // The machine goes before the panel that its states act on.
    m_fadeLine.stop();
    stopSliding();
    delete m_sliderButton;
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

bool ScrivelApp::exportSettings(const QString &fileName, QString *error)
{
    SettingsDocument document;
    saveSettingsSubset(&document);
    return saveSettingsFile(fileName, document, error);
}

bool ScrivelApp::importSettings(const QString &fileName, QString *error)
{
    SettingsDocument document;
    if (!readSettingsDocument(fileName, &document, error))
        return false;
    if (!applySettingsSubset(document)) {
        if (error)
            *error = QStringLiteral("%1 holds the settings of version %2, not %3")
                         .arg(fileName, document.version(), settingsGroupName());
        return false;
    }
    return true;
}

void ScrivelApp::carryOutSettingsOptions(const ParsedArguments &arguments)
{
    QString error;
    if (hasOption(arguments.options, LoadSettingsOption)
        && !importSettings(arguments.loadSettingsFile, &error))
        qCWarning(lcSettings).noquote() << error;
    if (hasOption(arguments.options, SetValuesOption))
        applySettingsSubset(subsetFromValues(arguments.setValues));
    if (hasOption(arguments.options, SaveSettingsOption)
        && !exportSettings(arguments.saveSettingsFile, &error))
        qCWarning(lcSettings).noquote() << error;
}

void ScrivelApp::saveSettingsSubset(SettingsDocument *document)
{
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    fillSettingsSubset(store, m_preferences,
                       collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr),
                       m_loginMode ? m_startInputMode : currentInputMode(), document);
}

bool ScrivelApp::applySettingsSubset(const SettingsDocument &document)
{
    if (document.version() != settingsGroupName())
        return false;
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    LocalePrefs locale = collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr);
    const SubsetRequests requests = applySettingsValues(store, document, &m_preferences, &locale);
    if (requests.showKeypad)
        emit toggleMiniKeyboard(*requests.showKeypad);
    if (panel) {
        panel->updateLanguageMenu(locale, false);
        panel->updateRecoLocale();
        if (requests.inputMode != UnknownMode)
            panel->updateMainInputMode(InputMode(requests.inputMode));
    }
    saveSettings();
    return true;
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
    createSliderButton();
    stopSliding();
    disableAutoHiding();
    m_pointerOutside = true;
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
    connect(windowedHiding, &QState::entered, this, &ScrivelApp::stopAutoHideTimer);
    connect(windowedHiding, &QState::entered, this, &ScrivelApp::enableAutoHiding);
    connect(windowedHiding, &QState::entered, this, &ScrivelApp::checkModeForHideBehaviour);
    connect(windowedGroup, &QState::exited, this, &ScrivelApp::disconnectCheckCursorPosition);
    connect(shownSemiSlid, &QState::entered, this, &ScrivelApp::enterShownSemiSlidState);
    connect(shownFullySlid, &QState::entered, this, &ScrivelApp::enterShownFullySlidState);
    connect(fullySlidSemiSliding, &QState::entered, this, &ScrivelApp::semiSliding);
    for (QState *showing : {semiSlidShowing, fullySlidShowing}) {
        connect(showing, &QState::entered, this, &ScrivelApp::showingFromSlide);
        connect(showing, &QState::entered, this, &ScrivelApp::disableAutoHiding);
    }
    connect(underDialogShowing, &QState::entered, this, &ScrivelApp::showShownWindowed);
    connect(shownUnderDialog, &QState::entered, this, &ScrivelApp::enterShownUnderDialogState);
    connect(shownUnderDialog, &QState::entered, this, &ScrivelApp::disableAutoHiding);
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

void ScrivelApp::appAccessibilityChangedEvent(bool on)
{
    if (on) {
        showTrayIcon();
    } else if (m_trayIcon) {
        m_trayIcon->setContextMenu(nullptr);
    }
    m_integrator->installMouseHook(on);
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
    connect(m_integrator, &IMFIntegratorBase::mouseMove, this,
            &ScrivelApp::checkCursorPosition, Qt::UniqueConnection);
    showTrayIcon();
    switch (m_previousState) {
    case OsCheckState:
        appAccessibilityChangedEvent(true);
        showingNotFromSlide();
        break;
    case ShownTransparentState:
    case FullScreenHiddenState:
        hideFullScreenFloatingMenu();
        showingNotFromSlide();
        disableAutoHiding();
        break;
    case ShownSemiSlidState:
    case ShownFullySlidState:
        showShownWindowed();
        break;
    case ShownUnderDialogState:
        appAccessibilityChangedEvent(true);
        if (m_pointerOutside)
            enableAutoHiding();
        break;
    default:
        showingNotFromSlide();
        disableAutoHiding();
        break;
    }
}

// Plain hiding ends at once in Hidden; the slide modes end fully slid behind the slider tab.
void ScrivelApp::checkModeForHideBehaviour()
{
    if (m_preferences.behaviour.hidingMode == BehaviourSettings::Hide || !m_sliderButton
        || !m_panel) {
        noAnimationHideBehaviour();
        return;
    }
    m_sliderButton->setGeometry(m_panel->geometry());
    updateSliderPicture();
    m_sliderButton->show();
    m_sliderButton->raise();
    hidePanel();
    fullSliding();
}

void ScrivelApp::noAnimationHideBehaviour()
{
    hidePanel();
    emit hideApp();
}

void ScrivelApp::createSliderButton()
{
    if (m_sliderButton)
        return;
    auto *slider = new SvgUIButton;
    m_sliderButton = slider;
    slider->setObjectName(QStringLiteral("sliderButton"));
    slider->resolveStateElement(QStringLiteral("skin"), QStringLiteral("pen_slider"), QString());
    slider->setScaleFactors(0.7f, 0.7f);
    setFloatingWindowFlags(slider, true);
    slider->setOverlay(0, 0, 0, 0, QColor(37, 37, 39, 255));
    auto *picture = new QLabel(slider);
    picture->setObjectName(QStringLiteral("panelPicture"));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (auto *panel = qobject_cast<MainFrame *>(m_panel.data()))
        slider->setContextMenu(panel->contextMenu());
    connect(slider, &SvgUIButton::sigEnter, this, &ScrivelApp::disableAutoHiding);
    connect(slider, &SvgUIButton::sigEnter, this, &ScrivelApp::semiSlid);
    connect(slider, &SvgUIButton::sigLeave, this, &ScrivelApp::enableAutoHiding);
    connect(slider, &QAbstractButton::clicked, this, &ScrivelApp::trayIconTriggerActivation);
}

void ScrivelApp::updateSliderPicture()
{
    if (!m_sliderButton || !m_panel)
        return;
    auto *picture = m_sliderButton->findChild<QLabel *>(QStringLiteral("panelPicture"));
    picture->setGeometry(m_sliderButton->rect());
    picture->setPixmap(m_panel->grab().scaled(m_sliderButton->size()));
    const QRegion outline = m_panel->mask().isEmpty() ? QRegion(m_panel->rect())
                                                      : m_panel->mask();
    QBitmap mask(m_sliderButton->size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setClipRegion(outline);
    painter.fillRect(mask.rect(), Qt::color1);
    painter.end();
    m_sliderButton->updateFloatingMask(mask);
}

bool ScrivelApp::slidesLeft() const
{
    return m_preferences.behaviour.hidingMode != BehaviourSettings::SlideRight;
}

int ScrivelApp::slidX(bool fully) const
{
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    const int visible = fully ? 25 : 50;
    return slidesLeft() ? desktop.left() - m_sliderButton->width() + visible
                        : desktop.right() - visible;
}

void ScrivelApp::stopSliding()
{
    m_slideTimer.stop();
    m_horizontalSlideLine.stop();
    m_verticalSlideLine.stop();
}

void ScrivelApp::startSlideLeg(QTimeLine *line, int from, int to)
{
    line->stop();
    line->setDuration(m_timings.slideLeg);
    line->setFrameRange(from, to);
    line->setEasingCurve(QEasingCurve::InCurve);
    line->setUpdateInterval(10);
    line->setCurrentTime(0);
    line->start();
}

void ScrivelApp::fullSliding()
{
    if (!m_sliderButton)
        return;
    stopSliding();
    m_slideTarget = QPoint(slidX(true), m_sliderButton->y());
    if (m_preferences.behaviour.dockingMode) {
        const QRect available = PanelServices::instance()->availableGeometry();
        m_slideTarget.setY(available.bottom() - m_sliderButton->height());
    }
    m_slideTargetState = ShownFullySlidState;
    startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
    m_sliderButton->setDown(false);
}

void ScrivelApp::fullySlide()
{
    if (!m_sliderButton)
        return;
    if (!m_sliderButton->mask().isEmpty())
        updateSliderPicture();
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    const int x = slidesLeft() ? desktop.left() + 25 - (m_sliderButton->width() - 1)
                               : desktop.right() - 25;
    m_sliderButton->move(x, m_sliderButton->y());
    clearDisabledStyle(m_sliderButton);
}

void ScrivelApp::semiSliding()
{
    if (!m_sliderButton)
        return;
    stopSliding();
    m_slideTarget = QPoint(slidX(false), m_sliderButton->y());
    m_slideTargetState = ShownSemiSlidState;
    startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
}

void ScrivelApp::semiSlideFromFullSlide()
{
    m_slideTimer.start(m_timings.slideBack, this);
    if (m_sliderButton)
        m_sliderButton->setDown(true);
}

void ScrivelApp::enterShownSemiSlidState()
{
    if (m_previousState == ShownFullySlidState)
        semiSlideFromFullSlide();
}

void ScrivelApp::enterShownFullySlidState()
{
    if (m_previousState == ShownWindowedState || m_previousState == ShownSemiSlidState)
        fullySlide();
}

void ScrivelApp::sliderHMove(int x)
{
    if (m_sliderButton)
        m_sliderButton->move(x, m_sliderButton->y());
}

void ScrivelApp::sliderVMove(int y)
{
    if (m_sliderButton)
        m_sliderButton->move(m_sliderButton->x(), y);
}

void ScrivelApp::hSlideTLFinished()
{
    finishSlideLeg(&m_horizontalSlideLine);
}

void ScrivelApp::vSlideTLFinished()
{
    finishSlideLeg(&m_verticalSlideLine);
}

// A finished leg starts the other one while that coordinate is not at the target yet.
void ScrivelApp::finishSlideLeg(QTimeLine *finished)
{
    if (!m_sliderButton)
        return;
    const bool horizontal = finished == &m_horizontalSlideLine;
    if (horizontal)
        sliderHMove(m_slideTarget.x());
    else
        sliderVMove(m_slideTarget.y());
    if (horizontal && m_sliderButton->y() != m_slideTarget.y()) {
        startSlideLeg(&m_verticalSlideLine, m_sliderButton->y(), m_slideTarget.y());
        return;
    }
    if (!horizontal && m_sliderButton->x() != m_slideTarget.x()) {
        startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
        return;
    }
    if (m_slideTargetState == ShownFullySlidState)
        emit animationFinishedFullySlide();
    else if (m_slideTargetState == ShownSemiSlidState)
        emit animationFinishedSemiSlide();
    else
        emit animationFinished();
}

QRect ScrivelApp::prepareShowing()
{
    setPanelOpacity(0.99);
    stopSliding();
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
    m_slideTarget = panel ? panel->preventOverlap(rect) : rect.topLeft();
    return rect;
}

void ScrivelApp::showingFromSlide()
{
    if (!m_sliderButton || !m_panel)
        return;
    QRect rect = prepareShowing();
    m_panel->resize(rect.size());
    rect.moveTop(m_sliderButton->y());
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    if (slidesLeft())
        rect.moveRight(desktop.left() + 25);
    else
        rect.moveLeft(desktop.right() - 25);
    m_sliderButton->setGeometry(rect);
    m_slideTargetState = ShownWindowedState;
    if (m_sliderButton->y() == m_slideTarget.y())
        startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
    else
        startSlideLeg(&m_verticalSlideLine, m_sliderButton->y(), m_slideTarget.y());
    updateSliderPicture();
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
        m_panel->move(m_slideTarget);
        m_preferences.windowedPosition = m_slideTarget;
    }
    // The login keyboard stands at the top of the screen, centred.
    if (const QScreen *screen = primaryScreen(); screen && m_loginMode) {
        const QRect area = screen->availableGeometry();
        m_panel->move((area.left() + area.right()) / 2 - m_panel->width() / 2, area.top());
    }
    emit startShownWindowed();
    m_panel->show();
    m_panel->raise();
    if (m_sliderButton)
        m_sliderButton->hide();
    qCInfo(lcState, "panel shown");
}

void ScrivelApp::setPanelOpacity(qreal opacity)
{
    if (m_panel)
        m_panel->setWindowOpacity(opacity);
}

void ScrivelApp::enableAutoHiding()
{
    if (isFullScreenState() || currentState() == FullScreenHiddenState || !m_panel)
        return;
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    const bool menuShown = panel && panel->contextMenu()->isVisible();
    const bool training = panel && panel->isTraining();
    if (!m_pointerOutside || menuShown || m_lockHiding || training)
        return;
    if (m_preferences.behaviour.fadeOut && m_fadeLine.state() != QTimeLine::Running)
        m_fadeStartTimer.start(m_timings.fadeStart);
    else
        startAutoHideTimer();
}

void ScrivelApp::disableAutoHiding()
{
    setPanelOpacity(0.99);
    m_fadeStartTimer.stop();
    m_fadeLine.stop();
    m_autoHideTimer.stop();
}

void ScrivelApp::startAutoHideTimer()
{
    m_autoHideTimer.start(m_timings.autoHide, this);
}

void ScrivelApp::stopAutoHideTimer()
{
    m_autoHideTimer.stop();
}

void ScrivelApp::startFadeTimeLine()
{
    m_fadeLine.stop();
    m_fadeLine.setDuration(m_timings.fade);
    m_fadeLine.setEasingCurve(QEasingCurve::Linear);
    m_fadeLine.setUpdateInterval(20);
    m_fadeLine.setFrameRange(10000, 0);
    m_fadeLine.setCurrentTime(0);
    m_fadeLine.start();
}

// The panel fades during the second half of the line only, from full opacity to 30 %.
void ScrivelApp::fadingOut(int frame)
{
    const int half = m_fadeLine.frameForTime(m_fadeLine.duration() / 2);
    const int end = m_fadeLine.endFrame();
    if (m_fadeLine.currentTime() < m_fadeLine.duration() / 2 || half == end)
        return;
    setPanelOpacity((100.0 - 70.0 * (frame - half) / (end - half)) / 100.0);
}

void ScrivelApp::checkCursorPosition(const QPoint &point)
{
    if (!m_panel)
        return;
    const bool inside = m_panel->geometry().contains(point);
    if (inside && m_pointerOutside) {
        m_pointerOutside = false;
        disableAutoHiding();
    } else if (!inside && !m_pointerOutside) {
        m_pointerOutside = true;
        enableAutoHiding();
    }
}

void ScrivelApp::disconnectCheckCursorPosition()
{
    disconnect(m_integrator, &IMFIntegratorBase::mouseMove, this,
               &ScrivelApp::checkCursorPosition);
}

void ScrivelApp::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_autoHideTimer.timerId()) {
        m_autoHideTimer.stop();
        emit hideApplication();
    } else if (event->timerId() == m_slideTimer.timerId()) {
        m_slideTimer.stop();
        fullSliding();
    } else {
        QApplication::timerEvent(event);
    }
}

void ScrivelApp::enterFullScreenHiddenState()
{
    m_integrator->startHookWatchdog(3000);
    if (m_previousState == OsCheckState)
        appAccessibilityChangedEvent(true);
    showTrayIcon();
    hidePanel();
    if (m_sliderButton)
        m_sliderButton->hide();
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
    // A slid panel slides back out; the under-dialog group shows it when the slide ends.
    const bool slid = m_previousState == ShownSemiSlidState
                      || m_previousState == ShownFullySlidState;
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

void ScrivelApp::setLocalServer(ThreadedLocalServer *server)
{
    server->setParent(this);
    m_localServer = server;
}

void ScrivelApp::messageReceived(const QString &command, ThreadedLocalServer *server)
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    const int state = currentState();
    const bool menuShown = m_floatingMenu && m_floatingMenu->isVisible();
    if (command == QLatin1String("i")) {
        if (m_panel && m_machine && state != ShownUnderDialogState)
            emit hideApplication();
        server->reply(QStringLiteral("Hidding"));
    } else if (command == QLatin1String("s")) {
        if (m_panel && m_machine && state != ShownUnderDialogState
            && state != ShownWindowedState && state != ShownTransparentState && !menuShown)
            emit trayIconTriggerActivation();
        server->reply(QStringLiteral("Showing"));
    } else if (command == QLatin1String("t")) {
        server->reply(m_panel && isPanelHiddenState() ? QStringLiteral("Hidden")
                                                      : QStringLiteral("Shown"));
    } else if (command == QLatin1String("q")) {
        runExitSequence();
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("w")) {
        if (isFullScreenState()) {
            m_remoteRequest = true;
            emit showWindowed();
        } else if (m_panel && !m_panel->isVisible()) {
            emit trayIconTriggerActivation();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("x")) {
        if (isFullScreenState()) {
            if (!menuShown)
                emit trayIconTriggerActivation();
        } else {
            if (panel)
                panel->undoEvent(Clear);
            emit showFullScreenMode();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("z")) {
        if (state == FullScreenHiddenState && menuShown) {
            m_remoteRequest = true;
            checkInputForQuickAccessBehaviourFullScreen(false, 0);
            emit isNotVsdMoveBeforeWritingInApp();
            checkInputForQuickAccessBehaviourFullScreen(true, 5);
            if (auto *pad = panel ? qobject_cast<Writepad *>(panel->inputWidget()) : nullptr;
                pad && pad->updater())
                pad->updater()->unsetWritingCursor();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command.startsWith(QLatin1String("d ")) || command.startsWith(QLatin1String("f "))) {
        const QString fileName = command.mid(2);
        QString error;
        const bool done = command.startsWith(QLatin1Char('d')) ? exportSettings(fileName, &error)
                                                                : importSettings(fileName, &error);
        if (!done)
            qCWarning(lcSettings).noquote() << error;
        server->reply(done ? QStringLiteral("Ok") : QStringLiteral("Fail"));
    } else if (command.startsWith(QLatin1String("u "))) {
        applySettingsSubset(subsetFromValues(command.mid(2)));
        server->reply(QStringLiteral("Ok"));
    }
}
