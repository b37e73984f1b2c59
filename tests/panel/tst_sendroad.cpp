#include "inkreader.h"
#include "panelfixture.h"

#include "keyboard/scrivelkeyboard.h"
#include "keyboard/scrivelkeyboardbutton.h"
#include "modes/cursivewritepad.h"
#include "pad/scrivelview.h"
#include "pad/updater.h"
#include "panel/mainframe.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/enginebinding.h"
#include "windows/imfintegrator.h"
#include "tests/testidentity.h"

#include <QAction>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr DWORD editorThread = 0x500;

QList<QPointF> pointsOf(const Stroke &s)
{
    QList<QPointF> points;
    const QPainterPath path = s.path();
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

} // namespace

// The road from the panel's input widget to the modelled foreground window, through the
// output integrator, with the engine reading the ink.
class TestSendRoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void writtenLineReachesTheTarget();
    void unreachableTargetKeepsTheText();
    void keyboardKeysAreTyped();

private:
    void makeFrame(int mode);
    bool waitForCursivePad();
    void write(const QList<Stroke> &ink);

    QTemporaryDir m_folders;
    QMap<QString, QList<Stroke>> m_latin;
    std::unique_ptr<FixtureServices> m_services;
    std::unique_ptr<IMFIntegrator> m_integrator;
    MainFrame *m_frame = nullptr;
    HWND m_editor = nullptr;
};

void TestSendRoad::initTestCase()
{
    useTestIdentity();
    QVERIFY(startEngine());
    m_latin = readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"));
    QVERIFY(!m_latin.value("hello world").isEmpty());
}

void TestSendRoad::cleanupTestCase()
{
    stopEngine();
}

void TestSendRoad::init()
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath("user"));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_folders.filePath("common"));
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024)}, {QRect(0, 0, 1280, 994)});
    m_services = std::make_unique<FixtureServices>();
    m_services->languages.detectedLanguages = QStringLiteral("en_US ja_JP ");
    m_services->setWindowedSize(QSize(1100, 300));
    m_integrator = std::make_unique<IMFIntegrator>();
    IMFIntegrator *integrator = m_integrator.get();
    Desktop::instance()->setMessageFilter([integrator](MSG *msg, LRESULT *result) {
        return integrator->filterWindowsMessage(msg, result);
    });
    m_services->setIntegrator(integrator);
    PanelServices::setInstance(m_services.get());
    m_editor = Desktop::instance()->createWindow("Editor", editorThread);
    Desktop::instance()->activate(m_editor);
}

void TestSendRoad::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
    PanelServices::setInstance(nullptr);
    m_integrator.reset();
    m_services.reset();
}

void TestSendRoad::makeFrame(int mode)
{
    m_services->lastMode = mode;
    m_frame = new MainFrame;
    m_frame->show();
    QTRY_COMPARE(m_integrator->targetWindow(), m_editor);
}

bool TestSendRoad::waitForCursivePad()
{
    auto *pad = qobject_cast<CursiveWritepad *>(m_frame->inputWidget());
    return pad && QTest::qWaitFor([pad] { return pad->isRecognizerBound(); }, 20000);
}

void TestSendRoad::write(const QList<Stroke> &ink)
{
    auto *pad = qobject_cast<CursiveWritepad *>(m_frame->inputWidget());
    QWidget *viewport = pad->view()->viewport();
    for (const Stroke &s : ink) {
        QList<QPoint> pixels;
        for (const QPointF &p : pointsOf(s))
            pixels << pad->view()->mapFromScene(QPointF(100, 300) + p * 2.0);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pixels.first());
        for (int i = 1; i + 1 < pixels.size(); ++i)
            QTest::mouseMove(viewport, pixels.at(i));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pixels.last());
    }
}

void TestSendRoad::writtenLineReachesTheTarget()
{
    makeFrame(CursiveMode);
    QVERIFY(waitForCursivePad());
    write(m_latin.value("hello world"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(m_frame->currentResult()).trimmed(),
                              QString("hello world"), 20000);
    m_frame->sendAction()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::instance()->typedText(m_editor).trimmed(),
                              QString("hello world"), 20000);
    QCOMPARE(GetForegroundWindow(), m_editor);
    QCOMPARE(m_frame->undoStack().size(), 1);
    QCOMPARE(textOf(m_frame->currentResult()), QString());
    QCOMPARE(m_integrator->pendingText(), QString());
}

void TestSendRoad::unreachableTargetKeepsTheText()
{
    makeFrame(0);
    m_frame->importModelEvent(writtenResult("hello"));
    Desktop::instance()->activate(Desktop::instance()->taskbarWindow());
    Desktop::instance()->setFailure(Desktop::RefuseForeground);
    m_frame->sendInput();
    QCOMPARE(textOf(m_frame->currentResult()), QString("hello"));
    QCOMPARE(m_integrator->pendingText(), QString("hello"));
    QCOMPARE(Desktop::instance()->typedText(m_editor), QString());
    Desktop::instance()->setFailure(Desktop::RefuseForeground, false);
    m_frame->sendInput();
    QCOMPARE(Desktop::instance()->typedText(m_editor), QString("hello"));
    QCOMPARE(textOf(m_frame->currentResult()), QString());
}

void TestSendRoad::keyboardKeysAreTyped()
{
    makeFrame(KeyboardMode);
    auto *keyboard = qobject_cast<ScrivelKeyboard *>(m_frame->inputWidget());
    QVERIFY(keyboard);
    for (const QString &label : {QString("h"), QString("i")}) {
        bool clicked = false;
        for (ScrivelKeyboardButton *key : keyboard->buttons(keyboard->currentLayoutId())) {
            if (key->accessibleName() == label) {
                QTest::mouseClick(key, Qt::LeftButton);
                clicked = true;
                break;
            }
        }
        QVERIFY2(clicked, qPrintable(label));
    }
    QCOMPARE(Desktop::instance()->typedText(m_editor), QString("hi"));
    QCOMPARE(m_frame->undoStack().size(), 1);
}

QTEST_MAIN(TestSendRoad)
#include "tst_sendroad.moc"
