#include "app/commandline.h"
#include "app/fullscreenwriting.h"
#include "app/preferencesstore.h"
#include "appmain.h"
#include "inkreader.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/enginebinding.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "windows/imfintegrator.h"

#include <QStateMachine>
#include <QTemporaryDir>

namespace {

constexpr DWORD editorThread = 0x600;

QString textOf(const RecognitionResult &result)
{
    return result.root().selectedCandidate().label().trimmed();
}

} // namespace

// Transparent full-screen writing driven through the application's state machine: ink written
// on the full-screen view over the modelled desktop, sent to the focused window, and carried
// between the panel and the full screen.
class TestStateMachineFullScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void inkAnywhereIsSentToTheFocusedWindow();
    void windowFullScreenWindowKeepsTheText();
    void fullScreenViewLeavesWithTheTransparentState_data();
    void fullScreenViewLeavesWithTheTransparentState();
    void floatingMenuPlacement_data();
    void floatingMenuPlacement();
    void penOnTheFloatingMenuHidesIt();

private:
    void start(const QStringList &arguments);
    static MainFrame *panel();
    static Writepad *pad();
    static ScrivelView *fullScreenView();
    // Writes the ink through `view` with its top-left corner at `scenePlace`.
    void write(QGraphicsView *view, const QString &label, const QPointF &scenePlace);
    bool waitForText(const QString &text);
    // Where the pad's ink shows on the screen through `view`.
    static QRect inkOnScreen(QGraphicsView *view);

    QTemporaryDir m_folder;
    QMap<QString, QList<Stroke>> m_latin;
    HWND m_editor = nullptr;
};

void TestStateMachineFullScreen::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
    QVERIFY(startEngine());
    m_latin = readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"));
    QVERIFY(!m_latin.value("hello world").isEmpty());
    // The panel reads English ink from the first start on.
    AppPreferences prefs;
    prefs.windowedPosition = QPoint(200, 150);
    prefs.windowedSize = QSize(900, 300);
    prefs.behaviour.hidingMode = BehaviourSettings::Hide;
    prefs.behaviour.autoSend = false;
    QSettings store;
    writePreferences(store, prefs, LocalePrefs{QStringLiteral("en_US"), QStringLiteral("en_US "),
                                               QStringLiteral("en_US ")},
                     CursiveMode);
}

void TestStateMachineFullScreen::cleanupTestCase()
{
    delete ScrivelApp::instance()->panelWindow();
    stopEngine();
}

void TestStateMachineFullScreen::init()
{
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024)}, {QRect(0, 0, 1280, 994)});
    IMFIntegrator *integrator = ScrivelApp::instance()->integrator();
    Desktop::instance()->setMessageFilter([integrator](MSG *msg, LRESULT *result) {
        return integrator->filterWindowsMessage(msg, result);
    });
    m_editor = Desktop::instance()->createWindow("Editor", editorThread);
    Desktop::instance()->activate(m_editor);
}

void TestStateMachineFullScreen::cleanup()
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->stateMachine();
    if (panel())
        panel()->undoEvent(Clear);
    if (app->panelWindow())
        app->panelWindow()->hide();
    if (app->floatingMenu())
        app->floatingMenu()->hide();
    if (fullScreenView())
        fullScreenView()->hide();
    Desktop::instance()->setMessageFilter(nullptr);
}

void TestStateMachineFullScreen::start(const QStringList &arguments)
{
    ScrivelApp *app = ScrivelApp::instance();
    AppPreferences prefs = app->preferences();
    prefs.windowedPosition = QPoint(200, 150);
    prefs.windowedSize = QSize(900, 300);
    prefs.behaviour.hidingMode = BehaviourSettings::Hide;
    prefs.behaviour.dockingMode = false;
    prefs.behaviour.autoSend = false;
    app->setPreferences(prefs);
    const QList<CommandLineOption> options =
        parseArguments(QStringList{QStringLiteral("InkoraScrivel")} + arguments).options;
    QStateMachine *machine = app->buildStateMachine(options);
    app->setStateMachine(machine);
    machine->start();
    QTRY_VERIFY(app->currentState() != ScrivelApp::OsCheckState);
    auto *updater = pad() ? pad()->updater() : nullptr;
    QVERIFY(updater);
    QTRY_VERIFY_WITH_TIMEOUT(pad()->isRecognizerBound(), 20000);
}

MainFrame *TestStateMachineFullScreen::panel()
{
    return qobject_cast<MainFrame *>(ScrivelApp::instance()->panelWindow());
}

Writepad *TestStateMachineFullScreen::pad()
{
    return panel() ? qobject_cast<Writepad *>(panel()->inputWidget()) : nullptr;
}

ScrivelView *TestStateMachineFullScreen::fullScreenView()
{
    return ScrivelApp::instance()->fullScreenWriting()->getFullScreenInputWidgetView();
}

void TestStateMachineFullScreen::write(QGraphicsView *view, const QString &label,
                                       const QPointF &scenePlace)
{
    QWidget *viewport = view->viewport();
    for (const Stroke &stroke : m_latin.value(label)) {
        const QPainterPath path = stroke.path();
        QList<QPoint> pixels;
        for (int i = 0; i < path.elementCount(); ++i)
            pixels << view->mapFromScene(scenePlace + QPointF(path.elementAt(i)) * 2.0);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pixels.first());
        for (int i = 1; i + 1 < pixels.size(); ++i)
            QTest::mouseMove(viewport, pixels.at(i));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pixels.last());
    }
}

QRect TestStateMachineFullScreen::inkOnScreen(QGraphicsView *view)
{
    const QRectF ink = panel()->currentResult().root().ink().boundingRect();
    const QRect inView = view->mapFromScene(ink).boundingRect();
    return QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size());
}

bool TestStateMachineFullScreen::waitForText(const QString &text)
{
    return QTest::qWaitFor([text] { return textOf(panel()->currentResult()) == text; }, 20000);
}

void TestStateMachineFullScreen::inkAnywhereIsSentToTheFocusedWindow()
{
    start({QStringLiteral("--fullscreen")});
    ScrivelApp *app = ScrivelApp::instance();
    QCOMPARE(app->currentState(), int(ScrivelApp::FullScreenHiddenState));
    // What a second instance's "z" and the pen leaving the quick-access icon ask for.
    emit app->isNotVsdMoveBeforeWritingInApp();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownTransparentState));
    ScrivelView *view = fullScreenView();
    QVERIFY(view && view->isVisible());
    QVERIFY(view->geometry().contains(QGuiApplication::primaryScreen()->availableGeometry()));
    QVERIFY(!panel()->isVisible());
    QCOMPARE(view->scene(), static_cast<QGraphicsScene *>(pad()->scene()));

    // The ink lies far outside the hidden panel's rectangle.
    write(view, QStringLiteral("hello world"), view->mapToScene(QPoint(150, 520)));
    QVERIFY(waitForText(QStringLiteral("hello world")));
    FloatingMenu *menu = app->floatingMenu();
    QVERIFY(menu->isVisible());
    // Once laid out, the ink has the menu beside it, on the screen.
    const QRect ink = inkOnScreen(view);
    QTRY_VERIFY_WITH_TIMEOUT(!app->fullScreenWriting()->floatingMenuNeedsPlacement(), 10000);
    QVERIFY2(qAbs(menu->y() - (ink.bottom() + 10)) < 120 || menu->geometry().bottom() < ink.top(),
             qPrintable(QStringLiteral("menu %1,%2 ink bottom %3").arg(menu->x()).arg(menu->y())
                            .arg(ink.bottom())));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(menu->geometry()));
    QTRY_VERIFY(menu->sendButton()->isEnabled());
    QTest::mouseClick(menu->sendButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::instance()->typedText(m_editor).trimmed(),
                              QString("hello world"), 20000);
    QCOMPARE(app->currentState(), int(ScrivelApp::FullScreenHiddenState));
    QCOMPARE(app->previousSubstate(), 5);
    QVERIFY(!view->isVisible());
    QCOMPARE(textOf(panel()->currentResult()), QString());
}

void TestStateMachineFullScreen::windowFullScreenWindowKeepsTheText()
{
    start({});
    ScrivelApp *app = ScrivelApp::instance();
    QCOMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    write(pad()->view(), QStringLiteral("hello world"), QPointF(100, 300));
    QVERIFY(waitForText(QStringLiteral("hello world")));
    const QRect inPanel = inkOnScreen(pad()->view());
    const int inkItems = pad()->scene()->items().size();

    auto *enter = qobject_cast<QAbstractButton *>(
        panel()->skin().widget(QStringLiteral("fullScreenButton")));
    QVERIFY(enter);
    emit enter->clicked(false);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownTransparentState));
    QCOMPARE(app->previousState(), int(ScrivelApp::ShownWindowedState));
    QVERIFY(fullScreenView()->isVisible());
    QVERIFY(!panel()->isVisible());
    QCOMPARE(textOf(panel()->currentResult()), QString("hello world"));
    // The ink stays where the panel showed it.
    const QRect inFullScreen = inkOnScreen(fullScreenView());
    QVERIFY2((inFullScreen.topLeft() - inPanel.topLeft()).manhattanLength() <= 12,
             qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(inPanel.x()).arg(inPanel.y())
                            .arg(inFullScreen.x()).arg(inFullScreen.y())));
    const int undoDepth = panel()->undoStack().size();

    emit app->floatingMenu()->fullScreenButton()->clicked(false);
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownWindowedState));
    QCOMPARE(app->previousState(), int(ScrivelApp::ShownTransparentState));
    QVERIFY(panel()->isVisible());
    QVERIFY(!fullScreenView()->isVisible());
    QVERIFY(!app->floatingMenu()->isVisible());
    // And back in the panel, the panel frames it where it was.
    const QRect back = inkOnScreen(pad()->view());
    QVERIFY2((back.topLeft() - inFullScreen.topLeft()).manhattanLength() <= 12,
             qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(inFullScreen.x())
                            .arg(inFullScreen.y()).arg(back.x()).arg(back.y())));
    QCOMPARE(textOf(panel()->currentResult()), QString("hello world"));
    QCOMPARE(panel()->undoStack().size(), undoDepth);
    QVERIFY(pad()->scene()->items().size() >= inkItems);
    panel()->undoEvent(Undo);
    QVERIFY(textOf(panel()->currentResult()) != QString("hello world"));
}

void TestStateMachineFullScreen::fullScreenViewLeavesWithTheTransparentState_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("textKept");
    QTest::newRow("hide") << QByteArray("hideApplication")
                          << int(ScrivelApp::FullScreenHiddenState) << false;
    QTest::newRow("tray") << QByteArray("trayIconTriggerActivation")
                          << int(ScrivelApp::FullScreenHiddenState) << false;
    QTest::newRow("edit button") << QByteArray("editButtonClicked")
                                 << int(ScrivelApp::FullScreenHiddenState) << false;
    QTest::newRow("windowed") << QByteArray("showWindowed")
                              << int(ScrivelApp::ShownWindowedState) << true;
    QTest::newRow("dialog") << QByteArray("appDialogEvent")
                            << int(ScrivelApp::ShownUnderDialogState) << true;
}

void TestStateMachineFullScreen::fullScreenViewLeavesWithTheTransparentState()
{
    QFETCH(QByteArray, signal);
    QFETCH(int, state);
    QFETCH(bool, textKept);
    start({QStringLiteral("--fullscreen")});
    ScrivelApp *app = ScrivelApp::instance();
    emit app->isNotVsdMoveBeforeWritingInApp();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownTransparentState));
    write(fullScreenView(), QStringLiteral("hello world"), fullScreenView()->mapToScene(QPoint(300, 300)));
    QVERIFY(waitForText(QStringLiteral("hello world")));
    QVERIFY(QMetaObject::invokeMethod(app, signal.constData()));
    QTRY_COMPARE(app->currentState(), state);
    QVERIFY(!fullScreenView()->isVisible());
    QCOMPARE(textOf(panel()->currentResult()), textKept ? QString("hello world") : QString());
    QCOMPARE(panel()->isVisible(), state != ScrivelApp::FullScreenHiddenState);
    if (state == ScrivelApp::ShownUnderDialogState)
        QVERIFY(!app->isFullScreenState());
}

void TestStateMachineFullScreen::floatingMenuPlacement_data()
{
    QTest::addColumn<QRectF>("ink");
    QTest::addColumn<QPoint>("proposed");
    QTest::addColumn<QPoint>("placed");
    // The work area is 1280 x 994 and the menu 300 x 100.
    QTest::newRow("inside") << QRectF(100, 100, 300, 80) << QPoint(410, 190) << QPoint(410, 190);
    QTest::newRow("past the bottom: above the ink")
        << QRectF(100, 850, 300, 80) << QPoint(410, 940) << QPoint(410, 750);
    QTest::newRow("just fits at the bottom")
        << QRectF(100, 800, 300, 80) << QPoint(410, 894) << QPoint(410, 894);
    QTest::newRow("past the left and top edges") << QRectF(-50, -40, 30, 20) << QPoint(-20, -30)
                                                 << QPoint(0, 0);
    QTest::newRow("past the right edge") << QRectF(1200, 100, 60, 40) << QPoint(1270, 150)
                                         << QPoint(980, 150);
}

void TestStateMachineFullScreen::floatingMenuPlacement()
{
    QFETCH(QRectF, ink);
    QFETCH(QPoint, proposed);
    QFETCH(QPoint, placed);
    start({QStringLiteral("--fullscreen")});
    FullScreenWriting *writing = ScrivelApp::instance()->fullScreenWriting();
    writing->floatingMenu()->setFixedSize(300, 100);
    const QPoint result = writing->adjustGlobalFloatingMenuPosition(ink, proposed);
    writing->floatingMenu()->setMinimumSize(0, 0);
    writing->floatingMenu()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QCOMPARE(result, placed);
}

void TestStateMachineFullScreen::penOnTheFloatingMenuHidesIt()
{
    start({QStringLiteral("--fullscreen")});
    ScrivelApp *app = ScrivelApp::instance();
    emit app->isNotVsdMoveBeforeWritingInApp();
    QTRY_COMPARE(app->currentState(), int(ScrivelApp::ShownTransparentState));
    FloatingMenu *menu = app->floatingMenu();
    QVERIFY(menu->isVisible());
    ScrivelView *view = fullScreenView();
    const QPoint onMenu = view->viewport()->mapFromGlobal(menu->geometry().center());
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, onMenu - QPoint(60, 0));
    QTest::mouseMove(view->viewport(), onMenu);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, onMenu);
    QTRY_VERIFY(!menu->isVisible());
    QVERIFY(app->fullScreenWriting()->floatingMenuNeedsPlacement());
}

SCRIVEL_APP_TEST_MAIN(TestStateMachineFullScreen)
#include "tst_statemachinefullscreen.moc"
