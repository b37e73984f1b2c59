#include "app/aboutbox.h"
#include "app/commandline.h"
#include "app/preferencesstore.h"
#include "app/scrivelmsgbox.h"
#include "app/settingsdocument.h"
#include "app/terminationsignals.h"
#include "app/threadedlocalserver.h"
#include "appmain.h"
#include "pad/behavioursettings.h"
#include "pad/minikeyboard.h"
#include "pad/writepad.h"
#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/wintypes.h"
#include "recognition/inputmode.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "recognition/enginebinding.h"
#include "windows/imfintegrator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QResource>
#include <QSettings>
#include <QStateMachine>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

using Signals = QList<QByteArray>;

class TestStateMachine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void startState_data();
    void startState();
    void transitions_data();
    void transitions();
    void plainHidingEndsHidden_data();
    void plainHidingEndsHidden();
    void closeButtonHidesThePanel();
    void visibilityActionsFollowTheState_data();
    void visibilityActionsFollowTheState();
    void slideHidingEndsBehindTheTab_data();
    void slideHidingEndsBehindTheTab();
    void dialogOverTheSlidPanelSlidesItBack();
    void dialogTakesTheHookAndTheTrayMenuAway_data();
    void dialogTakesTheHookAndTheTrayMenuAway();
    void pointerLeavingThePanelHidesIt_data();
    void pointerLeavingThePanelHidesIt();
    void hideCommandStopsTheAutomaticHiding();
    void fullScreenHiddenShowsTheFloatingMenu();
    void floatingMenuKeepsItsStoredPlace();
    void dialogOverTransparentIsNotFullScreen();
    void dialogAnnouncementsDriveTheUnderDialogState();
    void aboutBoxOverTheHiddenPanel();
    void aboutEntryRunsTheAboutBoxOverThePanel();
    void settingsFileReachesThePanel();
    void messageBoxOverADialogKeepsThePanelUnderIt();
    void messageBoxTakesThePanelUnderIt_data();
    void messageBoxTakesThePanelUnderIt();
    void failedOsCheckShowsCodeOneAndExitsOne();
    void brokenSkinShowsItsErrorAndExitsOne();
    void exitSequence_data();
    void exitSequence();
    void exitFromTheTrayQuitsWithoutMessage();
    void terminationAfterAnErrorWritesNoSettings();
    void trayIcon();
    void floatingMenuBar();
    void storedInputModeAtStart_data();
    void storedInputModeAtStart();
    void loginModeKeepsTheStoredInputMode();

private:
    // The table runs with a slide mode, where windowed-hiding waits for its animation.
    void start(const QStringList &arguments);
    void start(const QStringList &arguments, int hidingMode);
    // Short animations on two screens side by side, the panel at a stored place.
    void startOnModelledScreens(int hidingMode, bool fadeOut);
    void emitSignals(const Signals &names);
    int runEventLoop();
    QTemporaryDir m_folder;
};

void TestStateMachine::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
    QVERIFY(startEngine());
}

void TestStateMachine::cleanupTestCase()
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->panelWindow();
    stopEngine();
}

void TestStateMachine::init()
{
    Desktop::instance()->setOsVersion(10, 0);
    Prompt::clearRequests();
    ScrivelApp::instance()->setExitError(0, QString());
}

void TestStateMachine::cleanup()
{
    ScrivelApp *app = ScrivelApp::instance();
    app->setBehaviourTimings(ScrivelApp::BehaviourTimings());
    Desktop::instance()->setScreens({}, {});
    // The login mode leaves the panel to its keyboard; the next test starts a new one.
    if (app->currentState() == ScrivelApp::ShownLoginState)
        delete app->panelWindow();
    delete app->stateMachine();
    if (app->panelWindow())
        app->panelWindow()->hide();
    if (app->floatingMenu())
        app->floatingMenu()->hide();
}

void TestStateMachine::start(const QStringList &arguments)
{
    start(arguments, BehaviourSettings::SlideLeft);
}

void TestStateMachine::start(const QStringList &arguments, int hidingMode)
{
    ScrivelApp *app = ScrivelApp::instance();
    AppPreferences prefs = app->preferences();
    prefs.behaviour.hidingMode = hidingMode;
    app->setPreferences(prefs);
    const QList<CommandLineOption> options =
        parseArguments(QStringList{QStringLiteral("InkoraScrivel")} + arguments).options;
    QStateMachine *machine = app->buildStateMachine(options);
    app->setStateMachine(machine);
    machine->start();
    QTRY_VERIFY(machine->isRunning());
    QTRY_VERIFY(app->currentState() != ScrivelApp::OsCheckState
                || !machine->configuration().isEmpty());
    QCoreApplication::processEvents();
    const QList<Prompt::Request> requests = Prompt::requests();
    QVERIFY2(requests.isEmpty(), qPrintable(requests.value(0).text));
}

void TestStateMachine::startOnModelledScreens(int hidingMode, bool fadeOut)
{
    Desktop::instance()->setScreens({QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)},
                                    {QRect(0, 0, 1024, 728), QRect(1024, 0, 800, 600)});
    ScrivelApp *app = ScrivelApp::instance();
    ScrivelApp::BehaviourTimings timings;
    timings.slideLeg = 40;
    timings.slideBack = 60;
    timings.fadeStart = 40;
    timings.fade = 80;
    timings.autoHide = 100;
    app->setBehaviourTimings(timings);
    AppPreferences prefs = app->preferences();
    prefs.windowedPosition = QPoint(200, 150);
    prefs.windowedSize = QSize(600, 250);
    prefs.behaviour.fadeOut = fadeOut;
    prefs.behaviour.dockingMode = false;
    app->setPreferences(prefs);
    start({}, hidingMode);
}

void TestStateMachine::emitSignals(const Signals &names)
{
    for (const QByteArray &name : names) {
        QVERIFY2(QMetaObject::invokeMethod(ScrivelApp::instance(), name.constData()),
                 name.constData());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
}

int TestStateMachine::runEventLoop()
{
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    return QCoreApplication::exec();
}

void TestStateMachine::startState_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("state");
    QTest::addRow("no option") << QStringList() << int(ScrivelApp::ShownWindowedState);
    QTest::addRow("unknown argument") << QStringList{QStringLiteral("--colour")}
                                      << int(ScrivelApp::ShownWindowedState);
    QTest::addRow("--windowed") << QStringList{QStringLiteral("--windowed")}
                                << int(ScrivelApp::ShownWindowedState);
    QTest::addRow("--hide") << QStringList{QStringLiteral("--hide")}
                            << int(ScrivelApp::HiddenState);
    QTest::addRow("/I without regard to case") << QStringList{QStringLiteral("/I")}
                                               << int(ScrivelApp::HiddenState);
    QTest::addRow("--fullscreen") << QStringList{QStringLiteral("--fullscreen")}
                                  << int(ScrivelApp::FullScreenHiddenState);
    QTest::addRow("--login") << QStringList{QStringLiteral("--login")}
                             << int(ScrivelApp::ShownLoginState);
    QTest::addRow("--windowed wins over --hide")
        << QStringList{QStringLiteral("--hide"), QStringLiteral("--windowed")}
        << int(ScrivelApp::ShownWindowedState);
    QTest::addRow("--login wins over --fullscreen")
        << QStringList{QStringLiteral("--fullscreen"), QStringLiteral("--login")}
        << int(ScrivelApp::ShownLoginState);
}

void TestStateMachine::startState()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, state);
    start(arguments);
    ScrivelApp *app = ScrivelApp::instance();
    QCOMPARE(app->currentState(), state);
    QCOMPARE(app->previousState(), int(ScrivelApp::OsCheckState));
    QVERIFY(qobject_cast<MainFrame *>(app->panelWindow()));
    // The panel sends through the application's integrator.
    QCOMPARE(PanelServices::instance()->integrator(),
             static_cast<IMFIntegratorBase *>(app->integrator()));
    const bool shown = state == ScrivelApp::ShownWindowedState
                       || state == ScrivelApp::ShownLoginState;
    QCOMPARE(app->panelWindow()->isVisible(), shown);
    QCOMPARE(app->isPanelHiddenState(), state == ScrivelApp::HiddenState);
    QCOMPARE(app->isFullScreenState(), state == ScrivelApp::FullScreenHiddenState);
    if (state == ScrivelApp::ShownLoginState) {
        auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
        QVERIFY(panel->inputWidget());
        QCOMPARE(panel->inputWidget()->inputMode(), int(KeyboardMode));
        for (const QAction *action : panel->contextMenu()->actions())
            QVERIFY(action->text() != QStringLiteral("Settings"));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(panel->pos(), QPoint((area.left() + area.right()) / 2 - panel->width() / 2,
                                      area.top()));
    }
}

void TestStateMachine::transitions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Signals>("path");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("previousState");
    QTest::addColumn<int>("previousSubstate");

    const QStringList windowed;
    const QStringList hide{QStringLiteral("--hide")};
    const QStringList fullScreen{QStringLiteral("--fullscreen")};
    const QStringList login{QStringLiteral("--login")};
    const Signals toTransparent{"isNotVsdMoveBeforeWritingInApp"};
    const Signals toFullySlid{"hideApplication", "animationFinishedFullySlide"};
    const Signals toSemiSlid = toFullySlid + Signals{"semiSlid", "animationFinishedSemiSlide"};
    const Signals toUnderDialog{"appDialogEvent"};
    auto row = [](const char *name, const QStringList &arguments, const Signals &path,
                  const char *signal, int state, int previous, int substate) {
        QTest::addRow("%s", name) << arguments << path << QByteArray(signal) << state
                                  << previous << substate;
    };

    // The previous substate starts at 3 and only the transparent group's final states
    // change it; a dialog over the shown panel leaves the previous state 12.
    row("hidden: dialog", hide, {}, "appDialogEvent", 9, 12, 3);
    row("hidden: tray", hide, {}, "trayIconTriggerActivation", 6, 3, 3);
    row("hidden: quick access", hide, {}, "quickAccessButtonClicked", 6, 3, 3);
    row("hidden: exit", hide, {}, "exitApp", 10, 3, 3);
    row("hidden: full screen", hide, {}, "showFullScreenMode", 5, 3, 3);

    row("transparent: layout done stays", fullScreen, toTransparent, "layoutTimeLineFinished",
        4, 4, 3);
    row("transparent: dialog", fullScreen, toTransparent, "appDialogEvent", 9, 6, 3);
    row("transparent: windowed", fullScreen, toTransparent, "showWindowed", 6, 4, 3);
    row("transparent: empty pad", fullScreen, toTransparent + Signals{"hideApplication",
        "isNotVsdMoveBeforeWritingInApp"}, "emptyFullScreenWritepadEvent", 5, 4, 3);
    row("transparent: send", fullScreen, toTransparent, "sendWrittenText", 5, 4, 5);
    row("transparent: hide", fullScreen, toTransparent, "hideApplication", 5, 4, 1);
    row("transparent: tray", fullScreen, toTransparent, "trayIconTriggerActivation", 5, 4, 4);
    row("transparent: edit button", fullScreen, toTransparent, "editButtonClicked", 5, 4, 2);
    row("transparent: exit ignored", fullScreen, toTransparent, "exitApp", 4, 5, 3);

    row("full screen: hide stays", fullScreen, {}, "hideApplication", 5, 0, 3);
    row("full screen: tray stays", fullScreen, {}, "trayIconTriggerActivation", 5, 0, 3);
    row("full screen: quick access stays", fullScreen, {}, "quickAccessButtonClicked", 5, 0, 3);
    row("full screen: writing in an application", fullScreen, {},
        "isNotVsdMoveBeforeWritingInApp", 4, 5, 3);
    row("full screen: windowed", fullScreen, {}, "showWindowed", 6, 5, 3);
    row("full screen: dialog", fullScreen, {}, "appDialogEvent", 9, 5, 3);
    row("full screen: exit", fullScreen, {}, "exitApp", 10, 5, 3);

    row("windowed: hide starts hiding", windowed, {}, "hideApplication", 6, 6, 3);
    row("windowed: tray starts hiding", windowed, {}, "trayIconTriggerActivation", 6, 6, 3);
    row("windowed hiding: hidden", windowed, {"hideApplication"}, "hideApp", 3, 6, 3);
    row("windowed hiding: fully slid", windowed, {"hideApplication"},
        "animationFinishedFullySlide", 8, 6, 3);
    row("windowed: dialog", windowed, {}, "appDialogEvent", 9, 12, 3);
    row("windowed: full screen with an empty pad", windowed, {}, "showFullScreenMode", 5, 6, 3);
    row("windowed: full screen hidden", windowed, {}, "showFullScreenHiddenMode", 5, 6, 3);
    row("windowed: transparent", windowed, {}, "showShownTransparentMode", 4, 6, 3);
    row("windowed: exit", windowed, {}, "exitApp", 10, 6, 3);
    row("windowed hiding: exit", windowed, {"hideApplication"}, "exitApp", 10, 6, 3);

    row("semi-slid: tray", windowed, toSemiSlid, "trayIconTriggerActivation", 7, 7, 3);
    row("semi-slid: quick access", windowed, toSemiSlid, "quickAccessButtonClicked", 7, 7, 3);
    row("semi-slid: animation done", windowed, toSemiSlid, "animationFinished", 6, 7, 3);
    row("semi-slid showing: animation done", windowed,
        toSemiSlid + Signals{"trayIconTriggerActivation"}, "animationFinished", 6, 7, 3);
    row("semi-slid: dialog", windowed, toSemiSlid, "appDialogEvent", 9, 12, 3);
    row("semi-slid: fully slid", windowed, toSemiSlid, "animationFinishedFullySlide", 8, 7, 3);
    row("semi-slid: full screen", windowed, toSemiSlid, "showFullScreenMode", 5, 7, 3);
    row("semi-slid: exit ignored", windowed, toSemiSlid, "exitApp", 7, 8, 3);

    row("fully slid: tray", windowed, toFullySlid, "trayIconTriggerActivation", 8, 8, 3);
    row("fully slid: quick access", windowed, toFullySlid, "quickAccessButtonClicked", 8, 8, 3);
    row("fully slid: semi-sliding", windowed, toFullySlid, "semiSlid", 8, 8, 3);
    row("fully slid showing: windowed", windowed, toFullySlid + Signals{"trayIconTriggerActivation"},
        "animationFinished", 6, 8, 3);
    row("fully slid semi-sliding: semi-slid", windowed, toFullySlid + Signals{"semiSlid"},
        "animationFinishedSemiSlide", 7, 8, 3);
    row("fully slid: dialog", windowed, toFullySlid, "appDialogEvent", 9, 12, 3);
    row("fully slid: full screen", windowed, toFullySlid, "showFullScreenMode", 5, 8, 3);
    row("fully slid: exit ignored", windowed, toFullySlid, "exitApp", 8, 6, 3);

    row("under dialog: animation done", windowed, toUnderDialog, "animationFinished", 9, 9, 3);
    row("under dialog: windowed", windowed, toUnderDialog, "generalDialogShownWindowedEvent", 6,
        9, 3);
    row("under dialog showing: windowed", windowed, toUnderDialog + Signals{"animationFinished"},
        "generalDialogShownWindowedEvent", 6, 9, 3);
    row("under dialog: exit ignored", windowed, toUnderDialog, "exitApp", 9, 12, 3);

    row("login: show stays", login, {}, "showLogin", 11, 0, 3);
    row("login: hide stays", login, {}, "hideApplication", 11, 0, 3);
    row("login: exit ignored", login, {}, "exitApp", 11, 0, 3);
}

void TestStateMachine::transitions()
{
    QFETCH(QStringList, arguments);
    QFETCH(Signals, path);
    QFETCH(QByteArray, signal);
    QFETCH(int, state);
    QFETCH(int, previousState);
    QFETCH(int, previousSubstate);
    start(arguments);
    emitSignals(path);
    emitSignals({signal});
    ScrivelApp *app = ScrivelApp::instance();
    QCOMPARE(app->currentState(), state);
    QCOMPARE(app->previousState(), previousState);
    QCOMPARE(app->previousSubstate(), previousSubstate);
}

void TestStateMachine::plainHidingEndsHidden_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addRow("hide") << QByteArray("hideApplication");
    QTest::addRow("tray") << QByteArray("trayIconTriggerActivation");
}

void TestStateMachine::plainHidingEndsHidden()
{
    QFETCH(QByteArray, signal);
    start({}, BehaviourSettings::Hide);
    ScrivelApp *app = ScrivelApp::instance();
    QVERIFY(app->panelWindow()->isVisible());
    emitSignals({signal});
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::HiddenState));
    QCOMPARE(app->previousState(), int(ScrivelApp::ShownWindowedState));
    QCOMPARE(app->previousSubstate(), 3);
    QVERIFY(!app->panelWindow()->isVisible());
    emitSignals({"trayIconTriggerActivation"});
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(app->panelWindow()->isVisible());
}

void TestStateMachine::closeButtonHidesThePanel()
{
    start({}, BehaviourSettings::Hide);
    ScrivelApp *app = ScrivelApp::instance();
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    auto *close = qobject_cast<SvgUIButton *>(
        panel->skin().widget(QStringLiteral("minimizeButton")));
    QVERIFY(close);
    QVERIFY(close->isVisible());
    QCOMPARE(close->defaultAction(), panel->getHideAction());
    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::HiddenState));
    QVERIFY(!panel->isVisible());
    panel->showAction()->trigger();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(panel->isVisible());
}

void TestStateMachine::visibilityActionsFollowTheState_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Signals>("path");
    QTest::addColumn<bool>("showOffered");
    QTest::addRow("windowed") << QStringList() << Signals() << false;
    QTest::addRow("hidden") << QStringList{QStringLiteral("--hide")} << Signals() << true;
    QTest::addRow("fully slid") << QStringList()
                                << Signals{"hideApplication", "animationFinishedFullySlide"}
                                << true;
    QTest::addRow("full screen with its menu") << QStringList{QStringLiteral("--fullscreen")}
                                               << Signals() << false;
    QTest::addRow("full screen, menu hidden") << QStringList{QStringLiteral("--fullscreen")}
                                              << Signals{"trayIconTriggerActivation"} << true;
    QTest::addRow("transparent") << QStringList{QStringLiteral("--fullscreen")}
                                 << Signals{"isNotVsdMoveBeforeWritingInApp"} << false;
}

void TestStateMachine::visibilityActionsFollowTheState()
{
    QFETCH(QStringList, arguments);
    QFETCH(Signals, path);
    QFETCH(bool, showOffered);
    start(arguments);
    emitSignals(path);
    auto *panel = qobject_cast<MainFrame *>(ScrivelApp::instance()->panelWindow());
    const QList<QAction *> actions = panel->contextMenu()->actions();
    const qsizetype show = actions.indexOf(panel->showAction());
    QVERIFY(show > 0);
    QCOMPARE(actions.value(show + 1), panel->getHideAction());
    QCOMPARE(actions.value(show + 2)->text(), QStringLiteral("Exit"));
    emit panel->contextMenu()->aboutToShow();
    QCOMPARE(panel->showAction()->isVisible(), showOffered);
    QCOMPARE(panel->getHideAction()->isVisible(), !showOffered);
}

void TestStateMachine::slideHidingEndsBehindTheTab_data()
{
    QTest::addColumn<int>("hidingMode");
    // The desktop runs from x 0 to 1823 over both screens; the tab is 600 wide.
    QTest::addColumn<int>("slidX");
    QTest::addColumn<int>("halfX");
    QTest::addRow("left") << int(BehaviourSettings::SlideLeft) << 25 - 599 << 50 - 600;
    QTest::addRow("right") << int(BehaviourSettings::SlideRight) << 1823 - 25 << 1823 - 50;
}

void TestStateMachine::slideHidingEndsBehindTheTab()
{
    QFETCH(int, hidingMode);
    QFETCH(int, slidX);
    QFETCH(int, halfX);
    startOnModelledScreens(hidingMode, false);
    ScrivelApp *app = ScrivelApp::instance();
    QWidget *panel = app->panelWindow();
    QCOMPARE(panel->pos(), QPoint(200, 150));
    SvgUIButton *tab = app->sliderButton();
    QVERIFY(tab);
    QVERIFY(!tab->isVisible());

    emitSignals({"hideApplication"});
    QVERIFY(tab->isVisible());
    QVERIFY(!panel->isVisible());
    QCOMPARE(tab->size(), QSize(600, 250));
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownFullySlidState));
    QCOMPARE(tab->pos(), QPoint(slidX, 150));
    QVERIFY(app->isPanelHiddenState());

    // The pointer on the tab pulls it half out; it slides back fully on its own.
    emit tab->sigEnter();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownSemiSlidState));
    QCOMPARE(tab->pos(), QPoint(halfX, 150));
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownFullySlidState));
    QCOMPARE(tab->pos(), QPoint(slidX, 150));

    QTest::mouseClick(tab, Qt::LeftButton, {}, QPoint(tab->width() / 2, 10));
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(panel->isVisible());
    QVERIFY(!tab->isVisible());
    QCOMPARE(panel->pos(), QPoint(200, 150));
    QCOMPARE(app->slideTarget(), QPoint(200, 150));
}

void TestStateMachine::dialogOverTheSlidPanelSlidesItBack()
{
    startOnModelledScreens(BehaviourSettings::SlideRight, false);
    ScrivelApp *app = ScrivelApp::instance();
    emitSignals({"hideApplication"});
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownFullySlidState));
    emitSignals({"appDialogEvent"});
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    QTRY_VERIFY(app->panelWindow()->isVisible());
    QVERIFY(!app->sliderButton()->isVisible());
    QCOMPARE(app->panelWindow()->pos(), QPoint(200, 150));
}

void TestStateMachine::dialogTakesTheHookAndTheTrayMenuAway_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("windowed") << QStringList();
    QTest::addRow("hidden") << QStringList{QStringLiteral("--hide")};
    QTest::addRow("full screen") << QStringList{QStringLiteral("--fullscreen")};
}

void TestStateMachine::dialogTakesTheHookAndTheTrayMenuAway()
{
    QFETCH(QStringList, arguments);
    start(arguments);
    ScrivelApp *app = ScrivelApp::instance();
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    QCOMPARE(Desktop::instance()->hookCount(), 1);
    QCOMPARE(app->trayIcon()->contextMenu(), panel->contextMenu());
    emitSignals({"appDialogEvent"});
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    QVERIFY(!app->trayIcon()->contextMenu());
    emitSignals({"generalDialogShownWindowedEvent"});
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QCOMPARE(Desktop::instance()->hookCount(), 1);
    QCOMPARE(app->trayIcon()->contextMenu(), panel->contextMenu());
}

void TestStateMachine::pointerLeavingThePanelHidesIt_data()
{
    QTest::addColumn<bool>("fadeOut");
    QTest::addColumn<bool>("pointerBack");
    QTest::addColumn<int>("minimumDelay");
    QTest::addColumn<double>("opacity");
    QTest::addRow("after the fade") << true << false << 40 + 80 + 100 << 0.30;
    QTest::addRow("without fading") << false << false << 100 << 0.99;
    QTest::addRow("pointer back over the panel") << true << true << 0 << 0.99;
}

void TestStateMachine::pointerLeavingThePanelHidesIt()
{
    QFETCH(bool, fadeOut);
    QFETCH(bool, pointerBack);
    QFETCH(int, minimumDelay);
    QFETCH(double, opacity);
    startOnModelledScreens(BehaviourSettings::Hide, fadeOut);
    ScrivelApp *app = ScrivelApp::instance();
    QWidget *panel = app->panelWindow();
    double opacityAtHiding = -1;
    QMetaObject::Connection watch = connect(app, &ScrivelApp::hideApplication, panel,
                                            [&] { opacityAtHiding = panel->windowOpacity(); });
    QElapsedTimer clock;
    clock.start();
    // Coming from outside does nothing: the pointer must have been over the panel.
    emit app->integrator()->mouseMove(QPoint(900, 600));
    emit app->integrator()->mouseMove(QPoint(300, 200));
    emit app->integrator()->mouseMove(QPoint(900, 600));
    if (pointerBack) {
        QTest::qWait(60);
        emit app->integrator()->mouseMove(QPoint(300, 200));
        QTest::qWait(400);
        QCOMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
        QVERIFY(panel->isVisible());
        QVERIFY(qAbs(panel->windowOpacity() - opacity) < 0.01);
    } else {
        QTRY_COMPARE(app->currentState(), int(ScrivelApp::HiddenState));
        QVERIFY(clock.elapsed() >= minimumDelay);
        QVERIFY(!panel->isVisible());
        QVERIFY2(qAbs(opacityAtHiding - opacity) < 0.01,
                 qPrintable(QString::number(opacityAtHiding)));
    }
    disconnect(watch);
}

// Hiding leaves the automatic hiding's timer running; a second instance's hide command stops
// it, so that no hide request follows the command's own.
void TestStateMachine::hideCommandStopsTheAutomaticHiding()
{
    startOnModelledScreens(BehaviourSettings::Hide, false);
    ScrivelApp *app = ScrivelApp::instance();
    ThreadedLocalServer server(QStringLiteral("unused"));
    app->messageReceived(QStringLiteral("i"), &server);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::HiddenState));
    int requests = 0;
    QMetaObject::Connection count =
        connect(app, &ScrivelApp::hideApplication, app, [&requests] { ++requests; });
    app->messageReceived(QStringLiteral("i"), &server);
    QTest::qWait(300);
    disconnect(count);
    QCOMPARE(requests, 1);
    QCOMPARE(app->currentState(), int(ScrivelApp::HiddenState));
}

void TestStateMachine::fullScreenHiddenShowsTheFloatingMenu()
{
    start({QStringLiteral("--fullscreen")});
    ScrivelApp *app = ScrivelApp::instance();
    FloatingMenu *menu = app->floatingMenu();
    QVERIFY(menu->isVisible());
    QVERIFY(!app->panelWindow()->isVisible());
    QVERIFY(menu->selectButton()->isChecked());
    QVERIFY(app->floatingMiniKeyboard()->isVisible());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(menu->frameGeometry().bottomRight(), area.bottomRight() - QPoint(10, 10));

    emitSignals({"trayIconTriggerActivation"});
    QVERIFY(!menu->isVisible());
    emitSignals({"trayIconTriggerActivation"});
    QVERIFY(menu->isVisible());
    emitSignals({"hideApplication"});
    QVERIFY(!menu->isVisible());
    emitSignals({"quickAccessButtonClicked", "quickAccessButtonClicked"});
    QVERIFY(menu->isVisible());
    QCOMPARE(app->currentState(), int(ScrivelApp::FullScreenHiddenState));

    emit menu->fullScreenButton()->clicked(false);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(!menu->isVisible());
    QVERIFY(app->panelWindow()->isVisible());
    emitSignals({"showFullScreenHiddenMode"});
    QCOMPARE(app->currentState(), int(ScrivelApp::FullScreenHiddenState));
    QVERIFY(menu->isVisible());
    QVERIFY(!app->panelWindow()->isVisible());
    emitSignals({"appDialogEvent"});
    QVERIFY(!menu->isVisible());
    QVERIFY(app->panelWindow()->isVisible());
}

void TestStateMachine::floatingMenuKeepsItsStoredPlace()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    PanelServices::instance()->setFloatingMenuPosition(QPoint(120, 90));
    emitSignals({"showFullScreenMode"});
    QCOMPARE(app->currentState(), int(ScrivelApp::FullScreenHiddenState));
    QVERIFY(app->floatingMenu()->isVisible());
    QCOMPARE(app->floatingMenu()->pos(), QPoint(120, 90));
}

void TestStateMachine::dialogOverTransparentIsNotFullScreen()
{
    start({QStringLiteral("--fullscreen")});
    ScrivelApp *app = ScrivelApp::instance();
    emitSignals({"isNotVsdMoveBeforeWritingInApp"});
    QVERIFY(app->isFullScreenState());
    emitSignals({"appDialogEvent"});
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    QVERIFY(!app->isFullScreenState());
    QVERIFY(app->panelWindow()->isVisible());
}

void TestStateMachine::dialogAnnouncementsDriveTheUnderDialogState()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    emit app->generalDialogEvent(true);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    emit app->generalDialogEvent(false);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QCOMPARE(app->previousState(), int(ScrivelApp::ShownUnderDialogState));
}

void TestStateMachine::aboutBoxOverTheHiddenPanel()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    AboutBox box;
    box.show();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    QVERIFY(app->panelWindow()->isVisible());
    box.accept();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
}

void TestStateMachine::aboutEntryRunsTheAboutBoxOverThePanel()
{
    start({});
    auto *panel = qobject_cast<MainFrame *>(ScrivelApp::instance()->panelWindow());
    QAction *about = nullptr;
    for (QAction *action : panel->contextMenu()->actions()) {
        if (action->text() == QStringLiteral("About..."))
            about = action;
    }
    QVERIFY(about);
    QWidget *shown = nullptr;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget())) {
            shown = box;
            QCOMPARE(box->parentWidget(), panel);
            box->accept();
        }
    });
    closer.start(10);
    about->trigger();
    QVERIFY(shown);
}

void TestStateMachine::settingsFileReachesThePanel()
{
    start({});
    ScrivelApp *app = ScrivelApp::instance();
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    QVERIFY(panel->inputWidget());
    QCOMPARE(panel->inputWidget()->inputMode(), int(CursiveMode));
    const QString file = m_folder.filePath(QStringLiteral("subset.xml"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("<scrivelsettings version=\"3.2\">\n"
              "<setting key=\"lastInputMode\" value=\"isolated\"/>\n"
              "<setting key=\"showKeypad\" value=\"false\"/>\n"
              "<setting key=\"dockingMode\" value=\"true\"/>\n"
              "</scrivelsettings>\n");
    out.close();
    QVERIFY(app->importSettings(file));
    QCOMPARE(panel->inputWidget()->inputMode(), int(IsolatedMode));
    QVERIFY(!panel->keypadAction()->isChecked());
    // Docked, the panel spans the work area's width along its bottom.
    QVERIFY(app->preferences().behaviour.dockingMode);
    const QRect area = PanelServices::instance()->availableGeometry();
    QCOMPARE(panel->width(), area.width());
    QCOMPARE(panel->geometry().bottom(), area.bottom());
    QVERIFY(!app->preferences().behaviour.showKeypad);
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.beginGroup(settingsGroupName());
    QCOMPARE(store.value(QStringLiteral("lastInputMode")).toString(), QStringLiteral("isolated"));
    QCOMPARE(store.value(QStringLiteral("showKeypad")).toBool(), false);
    // An unknown mode name leaves the panel as it is; the keyboard is switched to like a pad.
    SettingsDocument subset;
    subset.setVersion(settingsGroupName());
    subset.putGlobal(QStringLiteral("lastInputMode"), QStringLiteral("telepathy"));
    QVERIFY(app->applySettingsSubset(subset));
    QCOMPARE(panel->inputWidget()->inputMode(), int(IsolatedMode));
    subset.putGlobal(QStringLiteral("lastInputMode"), QStringLiteral("keyboard"));
    QVERIFY(app->applySettingsSubset(subset));
    QCOMPARE(panel->inputWidget()->inputMode(), int(KeyboardMode));
    subset.putGlobal(QStringLiteral("lastInputMode"), QStringLiteral("cursive"));
    QVERIFY(app->applySettingsSubset(subset));
    QCOMPARE(panel->inputWidget()->inputMode(), int(CursiveMode));
    // A subset of another version changes nothing.
    subset.setVersion(QStringLiteral("3.1"));
    subset.putGlobal(QStringLiteral("lastInputMode"), QStringLiteral("isolated"));
    QVERIFY(!app->applySettingsSubset(subset));
    QCOMPARE(panel->inputWidget()->inputMode(), int(CursiveMode));
}

void TestStateMachine::messageBoxOverADialogKeepsThePanelUnderIt()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    AboutBox box;
    box.show();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    ScrivelMsgBox::warning(&box, QStringLiteral("Inkora Scrivel"), QStringLiteral("Careful"),
                           QMessageBox::Ok, QMessageBox::Ok);
    QCOMPARE(Prompt::requests().size(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownUnderDialogState));
    box.accept();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
}

void TestStateMachine::messageBoxTakesThePanelUnderIt_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("hidden") << QStringList{QStringLiteral("--hide")};
    QTest::addRow("windowed") << QStringList();
    QTest::addRow("full screen") << QStringList{QStringLiteral("--fullscreen")};
}

void TestStateMachine::messageBoxTakesThePanelUnderIt()
{
    QFETCH(QStringList, arguments);
    start(arguments);
    ScrivelApp *app = ScrivelApp::instance();
    int stateWhileShown = -1;
    bool panelShown = false;
    const QMetaObject::Connection watch =
        connect(app, &ScrivelApp::generalDialogEvent, this, [&](bool shown) {
            if (!shown)
                return;
            stateWhileShown = app->currentState();
            panelShown = app->panelWindow()->isVisible();
        });
    const QMessageBox::StandardButton answer =
        ScrivelMsgBox::question(nullptr, QStringLiteral("Inkora Scrivel"),
                                QStringLiteral("Really?"), QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No);
    disconnect(watch);
    QCOMPARE(answer, QMessageBox::No);
    QCOMPARE(Prompt::requests().size(), 1);
    QCOMPARE(stateWhileShown, int(ScrivelApp::ShownUnderDialogState));
    QVERIFY(panelShown);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QCOMPARE(app->previousState(), int(ScrivelApp::ShownUnderDialogState));
    QVERIFY(app->panelWindow()->isVisible());
}

void TestStateMachine::failedOsCheckShowsCodeOneAndExitsOne()
{
    Desktop::instance()->setOsVersion(4, 0);
    ScrivelApp *app = ScrivelApp::instance();
    QStateMachine *machine = app->buildStateMachine({NoOption});
    app->setStateMachine(machine);
    machine->start();
    QCOMPARE(runEventLoop(), 1);
    QCOMPARE(app->currentState(), int(ScrivelApp::ExitScrivelState));
    QCOMPARE(app->exitCode(), 1);
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().icon, int(QMessageBox::Critical));
    QCOMPARE(requests.first().title, QStringLiteral("Inkora Scrivel"));
    QCOMPARE(requests.first().text,
             QStringLiteral("Inkora Scrivel does not support your operating system environment."
                            "\nPlease check minimum requirements, and note that earlier versions "
                            "of Inkora Scrivel may be suitable."));
    QVERIFY(!app->panelWindow()->isVisible());
}

void TestStateMachine::brokenSkinShowsItsErrorAndExitsOne()
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->panelWindow();
    Q_CLEANUP_RESOURCE(skindocument);
    QVERIFY(QResource::registerResource(QStringLiteral(SCRIVEL_BROKEN_SKIN)));
    QStateMachine *machine = app->buildStateMachine({NoOption});
    QVERIFY(QResource::unregisterResource(QStringLiteral(SCRIVEL_BROKEN_SKIN)));
    Q_INIT_RESOURCE(skindocument);
    app->setStateMachine(machine);
    machine->start();
    QCOMPARE(runEventLoop(), 1);
    QCOMPARE(app->exitCode(), 5);
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().icon, int(QMessageBox::Critical));
    QVERIFY2(requests.first().text.startsWith(
                 QStringLiteral("Resource loading error:\n:/data/skin/skin.xml (4, ")),
             qPrintable(requests.first().text));
    cleanup();
    delete app->panelWindow();
}

void TestStateMachine::exitSequence_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("result");
    QTest::addRow("no error") << 0 << QString() << QString() << 0;
    QTest::addRow("language resources")
        << 4 << QString()
        << QStringLiteral("Problem loading language resource files.\nReinstall Inkora Scrivel "
                          "or your language packs may solve this problem.")
        << 1;
    QTest::addRow("resource loading") << 5 << QStringLiteral("skin.xml:3: unexpected end")
                                      << QStringLiteral("Resource loading error:\n"
                                                        "skin.xml:3: unexpected end")
                                      << 1;
    QTest::addRow("other code, no message") << 7 << QStringLiteral("x") << QString() << 1;
}

void TestStateMachine::exitSequence()
{
    QFETCH(int, code);
    QFETCH(QString, detail);
    QFETCH(QString, message);
    QFETCH(int, result);
    ScrivelApp *app = ScrivelApp::instance();
    app->setExitError(code, detail);
    QTimer::singleShot(0, app, &ScrivelApp::runExitSequence);
    QCOMPARE(runEventLoop(), result);
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(requests.first().text, message);
        QCOMPARE(requests.first().icon, int(QMessageBox::Critical));
        QCOMPARE(requests.first().buttons, int(QMessageBox::Ok));
    }
}

void TestStateMachine::exitFromTheTrayQuitsWithoutMessage()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    app->setExitError(4, QString());
    QTimer::singleShot(0, app, &ScrivelApp::exitApp);
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(app->currentState(), int(ScrivelApp::ExitScrivelState));
    QVERIFY(Prompt::requests().isEmpty());
}

void TestStateMachine::terminationAfterAnErrorWritesNoSettings()
{
    start({});
    ScrivelApp *app = ScrivelApp::instance();
    app->saveSettings();
    const QString key = settingsGroupName() + QStringLiteral("/lastInputMode");
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.setValue(key, QStringLiteral("calculator"));
    store.sync();
    app->setExitError(4, QString());
    quitOnTerminationSignals(app);
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    QCOMPARE(runEventLoop(), 1);
    QCOMPARE(Prompt::requests().size(), 1);
    store.sync();
    QCOMPARE(store.value(key).toString(), QStringLiteral("calculator"));
}

void TestStateMachine::trayIcon()
{
    start({QStringLiteral("--hide")});
    ScrivelApp *app = ScrivelApp::instance();
    QSystemTrayIcon *tray = app->trayIcon();
    QVERIFY(tray);
    QVERIFY(tray->toolTip().startsWith(QStringLiteral("Inkora Scrivel 3.2.60.140 zk ")));
    QVERIFY(!tray->icon().isNull());
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    emit tray->activated(QSystemTrayIcon::Context);
    QCoreApplication::processEvents();
    QCOMPARE(app->currentState(), int(ScrivelApp::HiddenState));
    emit tray->activated(QSystemTrayIcon::Trigger);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(app->panelWindow()->isVisible());
}

void TestStateMachine::floatingMenuBar()
{
    start({QStringLiteral("--windowed")});
    ScrivelApp *app = ScrivelApp::instance();
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    QVERIFY(qobject_cast<Writepad *>(panel->inputWidget()));
    FloatingMenu *menu = app->floatingMenu();
    QVERIFY(menu);
    QVERIFY(menu->keyboardArea() && menu->writeButtonArea());
    QVERIFY(menu->writeButton()->isChecked());
    QVERIFY(!menu->selectButton()->isChecked());

    menu->selectButton()->setChecked(true);
    QVERIFY(!menu->writeButton()->isChecked());
    QCOMPARE(menu->maximumHeight(), menu->topMargin() + 57 + menu->bottomMargin());
    QVERIFY(!menu->keyboardArea()->isHidden());
    QVERIFY(menu->writeButtonArea()->isHidden());
    emit app->layoutTimeLineFinished();
    QVERIFY(menu->writeButton()->isChecked());
    QCOMPARE(menu->maximumHeight(),
             menu->topMargin() + menu->clearButton()->height() + menu->bottomMargin());
    QVERIFY(menu->keyboardArea()->isHidden());
    QVERIFY(QObject::disconnect(app->floatingMiniKeyboard(), &InputWidget::exportModel,
                                nullptr, nullptr));

    // A panel that starts on the on-screen keyboard gets a bar without the mini keyboard's keys.
    app->saveSettings();
    cleanup();
    delete panel;
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.setValue(settingsGroupName() + QStringLiteral("/lastInputMode"),
                   inputModeName(KeyboardMode));
    store.sync();
    start({QStringLiteral("--windowed")});
    panel = qobject_cast<MainFrame *>(app->panelWindow());
    QCOMPARE(panel->inputWidget()->inputMode(), KeyboardMode);
    QVERIFY(app->floatingMiniKeyboard());
    QVERIFY(!QObject::disconnect(app->floatingMiniKeyboard(), &InputWidget::exportModel,
                                 nullptr, nullptr));
}

void TestStateMachine::storedInputModeAtStart_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("checkedAction");
    QTest::addColumn<int>("widgetMode");
    QTest::addRow("keyboard") << QStringLiteral("keyboard") << QStringLiteral("keyboardModeButton")
                              << int(KeyboardMode);
    QTest::addRow("isolated") << QStringLiteral("isolated") << QStringLiteral("isoLRModeButton")
                              << int(IsolatedMode);
    QTest::addRow("calculator") << QStringLiteral("calculator")
                                << QStringLiteral("calculatorCalcModeButton")
                                << int(CalculatorMode);
    QTest::addRow("no mode's name") << QStringLiteral("unknown")
                                    << QStringLiteral("cursiveLRModeButton") << int(CursiveMode);
    QTest::addRow("wrong case") << QStringLiteral("Keyboard")
                                << QStringLiteral("cursiveLRModeButton") << int(CursiveMode);
}

void TestStateMachine::storedInputModeAtStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, checkedAction);
    QFETCH(int, widgetMode);
    ScrivelApp *app = ScrivelApp::instance();
    start({});
    app->saveSettings();
    cleanup();
    delete app->panelWindow();
    const QString key = settingsGroupName() + QStringLiteral("/lastInputMode");
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.setValue(key, stored);
    store.sync();

    start({});
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    const QAction *checked = panel->modeGroup()->checkedAction();
    QVERIFY(checked);
    QCOMPARE(checked->objectName(), checkedAction);
    QCOMPARE(panel->inputWidget() ? panel->inputWidget()->inputMode() : int(UnknownMode),
             widgetMode);
    // The mode the panel shows is the one stored again.
    app->saveSettings();
    store.sync();
    QCOMPARE(store.value(key).toString(), inputModeName(checked->data().toInt()));
}

void TestStateMachine::loginModeKeepsTheStoredInputMode()
{
    ScrivelApp *app = ScrivelApp::instance();
    start({});
    app->saveSettings();
    cleanup();
    delete app->panelWindow();
    const QString key = settingsGroupName() + QStringLiteral("/lastInputMode");
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.setValue(key, inputModeName(IsolatedMode));
    store.sync();

    start({QStringLiteral("--login")});
    auto *panel = qobject_cast<MainFrame *>(app->panelWindow());
    QCOMPARE(panel->inputWidget()->inputMode(), int(KeyboardMode));
    app->saveSettings();
    store.sync();
    QCOMPARE(store.value(key).toString(), inputModeName(IsolatedMode));
    cleanup();

    start({});
    panel = qobject_cast<MainFrame *>(app->panelWindow());
    QCOMPARE(panel->inputWidget()->inputMode(), int(IsolatedMode));
    panel->modeGroup()->actions().constFirst()->trigger();
    app->saveSettings();
    store.sync();
    QCOMPARE(store.value(key).toString(), inputModeName(CursiveMode));
}

SCRIVEL_APP_TEST_MAIN(TestStateMachine)
#include "tst_statemachine.moc"
