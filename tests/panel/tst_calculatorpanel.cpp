#include "calcink.h"
#include "panelfixture.h"

#include "calculator/calcresultwriters.h"
#include "calculator/calculatorupdater.h"
#include "calculator/calculatorwritepad.h"
#include "calculator/solveexpression.h"
#include "pad/padclock.h"
#include "pad/scrivelview.h"
#include "panel/mainframe.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/enginebinding.h"
#include "tests/fixedstampclock.h"
#include "tests/testidentity.h"
#include "windows/calcservices.h"
#include "windows/imfintegrator.h"
#include "windows/winutils.h"

#include <QAction>
#include <QActionGroup>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace calcink;

namespace {

constexpr DWORD editorThread = 0x500;
const QTime Start(10, 0);

QList<QPointF> pointsOf(const Stroke &s)
{
    QList<QPointF> points;
    const QPainterPath path = s.path();
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

// The fixture's services with a behaviour of the test's choice.
class BehaviourServices : public FixtureServices
{
public:
    BehaviourSettings chosen;
    BehaviourSettings behaviour() const override { return chosen; }
};

} // namespace

// The calculator pad hosted by the panel: chosen by the stored input mode, written with the
// mouse, solved and typed into the modelled foreground window in the chosen form.
class TestCalculatorPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void storedModeHostsTheCalculator_data();
    void storedModeHostsTheCalculator();
    void solvedExpressionIsTyped_data();
    void solvedExpressionIsTyped();

private:
    void makeFrame(int mode);
    CalculatorWritepad *calculatorPad() const;
    void advance(int ms);

    QTemporaryDir m_folders;
    std::unique_ptr<BehaviourServices> m_services;
    std::unique_ptr<IMFIntegrator> m_integrator;
    MainFrame *m_frame = nullptr;
    HWND m_editor = nullptr;
    std::unique_ptr<FixedStampClock> m_stamps;
    qint64 m_elapsed = 0;
};

void TestCalculatorPanel::initTestCase()
{
    useTestIdentity();
    QVERIFY(startEngine());
    CalcServices::setSolver(&solveExpression);
    CalcServices::setWriter(&formatCalcResult);
}

void TestCalculatorPanel::cleanupTestCase()
{
    stopEngine();
}

void TestCalculatorPanel::init()
{
    m_elapsed = 0;
    PadClock::freeze(Start);
    m_stamps = std::make_unique<FixedStampClock>(Start.msecsSinceStartOfDay());
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath("user"));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_folders.filePath("common"));
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024)}, {QRect(0, 0, 1280, 994)});
    m_services = std::make_unique<BehaviourServices>();
    m_services->chosen.displayCalculatorSampleInk = false;
    m_services->setWindowedSize(QSize(1100, 400));
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

void TestCalculatorPanel::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
    PanelServices::setInstance(nullptr);
    m_integrator.reset();
    m_services.reset();
    m_stamps.reset();
    PadClock::thaw();
}

void TestCalculatorPanel::makeFrame(int mode)
{
    m_services->lastMode = mode;
    m_frame = new MainFrame;
    m_frame->show();
    QTRY_COMPARE(m_integrator->targetWindow(), m_editor);
}

CalculatorWritepad *TestCalculatorPanel::calculatorPad() const
{
    return qobject_cast<CalculatorWritepad *>(m_frame->inputWidget());
}

void TestCalculatorPanel::advance(int ms)
{
    m_elapsed += ms;
    m_stamps->set(Start.msecsSinceStartOfDay() + m_elapsed);
    PadClock::advance(ms);
}

void TestCalculatorPanel::storedModeHostsTheCalculator_data()
{
    QTest::addColumn<bool>("solveAuto");
    QTest::addColumn<QString>("checkedButton");
    QTest::newRow("solving") << true << "calculatorCalcModeButton";
    QTest::newRow("formula only") << false << "calculatorFormulaModeButton";
}

// A panel that stored the calculator as its last mode starts with the calculator pad, the
// calculator button of the solving preference checked.
void TestCalculatorPanel::storedModeHostsTheCalculator()
{
    QFETCH(bool, solveAuto);
    QFETCH(QString, checkedButton);
    m_services->chosen.solveAuto = solveAuto;
    makeFrame(CalculatorMode);
    QVERIFY(calculatorPad());
    QCOMPARE(m_frame->inputWidget()->inputMode(), CalculatorMode);
    const QAction *checked = m_frame->modeGroup()->checkedAction();
    QVERIFY(checked);
    QCOMPARE(checked->objectName(), checkedButton);
}

void TestCalculatorPanel::solvedExpressionIsTyped_data()
{
    QTest::addColumn<int>("sendMode");
    QTest::addColumn<QString>("typed");
    QTest::newRow("text") << 8 << "12+3=15";
    QTest::newRow("answer only") << 0 << "15";
    QTest::newRow("spreadsheet formula") << 2 << "=12+3";
}

void TestCalculatorPanel::solvedExpressionIsTyped()
{
    QFETCH(int, sendMode);
    QFETCH(QString, typed);
    QSettings settings(QCoreApplication::organizationName(), nativeSettingsApplicationName());
    settings.setValue("calcSendMode", sendMode);
    settings.setValue("solveAuto", true);
    settings.sync();
    makeFrame(CalculatorMode);
    CalculatorWritepad *pad = calculatorPad();
    QVERIFY(pad);
    QVERIFY(QTest::qWaitFor([pad] { return !pad->scene()->isBlocked(); }, 20000));
    CalculatorUpdater *controller = pad->calculatorUpdater();

    const QRectF visible = controller->visibleRect();
    const QList<Symbol> symbols = line("12+3=", 0, 0, 100);
    QRectF extent;
    for (const Symbol &symbol : symbols) {
        for (const Stroke &s : symbol)
            extent = extent.united(s.boundingRect());
    }
    // Written across most of the pad, digits a fifth of its height.
    const double scale = 0.6 * visible.width() / extent.width();
    const QPointF at = visible.center() - extent.center() * scale;
    QWidget *viewport = pad->view()->viewport();
    for (const Symbol &symbol : symbols) {
        for (const Stroke &stroke : symbol) {
            QList<QPoint> pixels;
            for (const QPointF &p : pointsOf(stroke))
                pixels << pad->view()->mapFromScene(at + p * scale);
            QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pixels.first());
            for (int i = 1; i + 1 < pixels.size(); ++i)
                QTest::mouseMove(viewport, pixels.at(i));
            QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pixels.last());
            QVERIFY(QTest::qWaitFor(
                [controller] {
                    return controller->state() == Updater::State::Idle
                           && controller->pendingStrokes().isEmpty();
                },
                20000));
        }
    }
    QSignalSpy finished(controller, &CalculatorUpdater::localLayoutTimeLineFinished);
    for (int i = 0; i < 40 && !controller->layoutTimeLine() && finished.isEmpty(); ++i)
        advance(100);
    QVERIFY(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 5000));
    QCOMPARE(textOf(m_frame->currentResult()), QStringLiteral("12+3=15"));

    m_frame->sendAction()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::instance()->typedText(m_editor), typed, 20000);
}

QTEST_MAIN(TestCalculatorPanel)
#include "tst_calculatorpanel.moc"
