#include "calcink.h"
#include "calculator/calcrecognizer.h"
#include "calculator/calcresultwriters.h"
#include "calculator/calcsegmenttypes.h"
#include "calculator/calctypesetitem.h"
#include "calculator/calculatorupdater.h"
#include "calculator/calculatorwritepad.h"
#include "model/calcoutputmode.h"
#include "pad/padclock.h"
#include "pad/resultcandidatesitem.h"
#include "pad/resultitem.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "recognition/enginebinding.h"
#include "tests/fixedstampclock.h"

#include <QGraphicsItemGroup>
#include <QSignalSpy>
#include <QTimeLine>
#include <QtTest>

using namespace calcink;

namespace {

const QTime Start(10, 0);

LanguageEntry english()
{
    LanguageEntry e;
    e.setLocale(QLocale(QStringLiteral("en_US")));
    e.setName(QStringLiteral("en_US"));
    return e;
}

QString textOf(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

QList<QPointF> pointsOf(const Stroke &s)
{
    QList<QPointF> points;
    const QPainterPath path = s.path();
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

} // namespace

// A calculator pad on the engine library and the parser, written with the mouse; the pad's
// clock stands still unless the test moves it.
class TestCalculatorWritepad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void writtenSumSettlesSolvesAndAnimates();
    void fractionsOverBars();
    void unknownIsSolved();
    void tapOnAnAnswerOpensItsListOnce();
    void strokesBeyondTheCapAreNotRead();
    void lateReadingIsDropped();
    void importWithoutCalculatorFlagClears();

private:
    void advance(int ms);
    void writeStroke(const Stroke &stroke);
    // Writes the symbols, each stroke read before the next; false when the pad does not
    // settle.
    bool write(const QList<Symbol> &symbols);
    bool idle() const;
    // Moves the clock on until the expression is laid out and its animation has ended.
    RecognitionResult settle();
    QList<Symbol> placed(const QList<Symbol> &symbols) const;

    CalculatorWritepad *m_pad = nullptr;
    QSignalSpy *m_exports = nullptr;
    FixedStampClock *m_stamps = nullptr;
    qint64 m_elapsed = 0;
};

void TestCalculatorWritepad::initTestCase()
{
    QVERIFY(startEngine());
}

void TestCalculatorWritepad::cleanupTestCase()
{
    stopEngine();
}

void TestCalculatorWritepad::init()
{
    m_elapsed = 0;
    PadClock::freeze(Start);
    m_stamps = new FixedStampClock(Start.msecsSinceStartOfDay());
    BehaviourSettings behaviour;
    behaviour.solveAuto = true;
    behaviour.displayCalculatorSampleInk = false;
    m_pad = new CalculatorWritepad(behaviour, ItemStyle(), nullptr);
    m_pad->initialize();
    m_pad->resize(1000, 400);
    m_pad->show();
    QSignalSpy status(m_pad, &InputWidget::configStatus);
    m_exports = new QSignalSpy(m_pad, &InputWidget::exportModel);
    QSignalSpy separator(m_pad, &CalculatorWritepad::decimalSeparatorChanged);
    m_pad->setLanguage(english());
    QVERIFY(QTest::qWaitFor([&] { return !status.isEmpty() && status.last().at(0) != 0; },
                            20000));
    QCOMPARE(status.last().at(0).toInt(), 1);
    // The text delivery solves with the separator the pad shows.
    QCOMPARE(separator.size(), 1);
    QCOMPARE(separator.first().first().toString(), QStringLiteral("."));
}

void TestCalculatorWritepad::cleanup()
{
    delete m_exports;
    delete m_pad;
    delete m_stamps;
    PadClock::thaw();
}

void TestCalculatorWritepad::advance(int ms)
{
    m_elapsed += ms;
    m_stamps->set(Start.msecsSinceStartOfDay() + m_elapsed);
    PadClock::advance(ms);
}

void TestCalculatorWritepad::writeStroke(const Stroke &stroke)
{
    QWidget *viewport = m_pad->view()->viewport();
    const QList<QPointF> points = pointsOf(stroke);
    auto pixel = [this](const QPointF &p) { return m_pad->view()->mapFromScene(p); };
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pixel(points.first()));
    for (int i = 1; i + 1 < points.size(); ++i)
        QTest::mouseMove(viewport, pixel(points.at(i)));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pixel(points.last()));
}

bool TestCalculatorWritepad::idle() const
{
    const Updater *u = m_pad->updater();
    return u->state() == Updater::State::Idle && u->pendingStrokes().isEmpty();
}

bool TestCalculatorWritepad::write(const QList<Symbol> &symbols)
{
    for (const Symbol &symbol : symbols) {
        for (const Stroke &stroke : symbol) {
            const int before = int(m_exports->size());
            writeStroke(stroke);
            if (!QTest::qWaitFor([&] { return m_exports->size() > before && idle(); }, 20000))
                return false;
        }
    }
    return true;
}

RecognitionResult TestCalculatorWritepad::settle()
{
    CalculatorUpdater *controller = m_pad->calculatorUpdater();
    QSignalSpy finished(controller, &CalculatorUpdater::localLayoutTimeLineFinished);
    for (int i = 0; i < 40 && finished.isEmpty(); ++i) {
        advance(100);
        QTest::qWait(controller->layoutTimeLine() ? 100 : 0);
    }
    if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, 5000))
        return RecognitionResult();
    return controller->model();
}

// Symbols of a line drawn at its place in the pad's visible rectangle.
QList<Symbol> TestCalculatorWritepad::placed(const QList<Symbol> &symbols) const
{
    const QRectF visible = m_pad->calculatorUpdater()->visibleRect();
    QRectF extent;
    for (const Symbol &symbol : symbols) {
        for (const Stroke &s : symbol)
            extent = extent.united(s.boundingRect());
    }
    const double scale = qMin(1.0, 0.6 * visible.width() / extent.width());
    const QPointF at = visible.center() - extent.center() * scale;
    QList<Symbol> moved;
    for (const Symbol &symbol : symbols) {
        Symbol strokes;
        for (const Stroke &s : symbol) {
            QPainterPath path;
            const QList<QPointF> points = pointsOf(s);
            path.moveTo(at + points.first() * scale);
            for (const QPointF &p : points.mid(1))
                path.lineTo(at + p * scale);
            strokes << makePathStroke(path);
        }
        moved << strokes;
    }
    return moved;
}

void TestCalculatorWritepad::writtenSumSettlesSolvesAndAnimates()
{
    CalculatorUpdater *controller = m_pad->calculatorUpdater();
    QVERIFY(write(placed(line("12+3=", 0, 0, 100))));
    QCOMPARE(textOf(controller->model()), QStringLiteral("12+3="));
    QVERIFY(controller->typeSetItems().isEmpty());

    // Every symbol turns 1500 ms old at once: typeset then, each glyph over its ink.
    const int wait = controller->typeSetTimer().remainingTime();
    QVERIFY(wait > 0 && wait <= CalculatorUpdater::TypesetAge);
    advance(wait - 1);
    QVERIFY(controller->typeSetItems().isEmpty());
    advance(1);
    QCOMPARE(controller->typeSetItems().size(), 5);
    QVERIFY(controller->layoutTimer().isActive());
    QVERIFY(!controller->model().root().selectedCandidate().label().endsWith("15"));

    // 2000 ms after the last writing the expression is solved and laid out; the glyphs
    // glide there over the frames of the time line.
    advance(controller->layoutTimer().remainingTime());
    QTimeLine *timeLine = controller->layoutTimeLine();
    QVERIFY(timeLine);
    QCOMPARE(timeLine->duration(), CalculatorUpdater::LayoutDuration);
    QCOMPARE(timeLine->endFrame(), CalculatorUpdater::LayoutFrames);
    QSignalSpy frames(timeLine, &QTimeLine::frameChanged);
    QSignalSpy finished(controller, &CalculatorUpdater::localLayoutTimeLineFinished);
    QVERIFY(finished.wait(5000));
    QVERIFY(frames.size() > 1);
    QCOMPARE(frames.last().at(0).toInt(), CalculatorUpdater::LayoutFrames);

    const RecognitionResult model = m_exports->last().at(0).value<RecognitionResult>();
    QCOMPARE(textOf(model), QStringLiteral("12+3=15"));
    // The answer is one symbol of its own.
    QCOMPARE(controller->typeSetItems().size(), 6);
    for (CalcTypeSetItem *item : controller->typeSetItems())
        QVERIFY(item->isVisible());
    QVERIFY(controller->visibleRect().contains(
        controller->typeSetGroup()->childrenBoundingRect()));
}

void TestCalculatorWritepad::fractionsOverBars()
{
    QList<Symbol> symbols = line("1", 20, -30, 100);
    symbols << mark('-', QRectF(0, -15, 120, 30)) << line("2", 20, 130, 100)
            << line("+", 230, 50, 100) << line("1", 420, -30, 100)
            << mark('-', QRectF(400, -15, 120, 30)) << line("4", 420, 130, 100)
            << line("=", 620, 50, 100);
    QVERIFY(write(placed(symbols)));
    const RecognitionResult model = settle();
    QCOMPARE(formatCalcResult(model, int(CalcOutputMode::Text)), QStringLiteral("1/2+1/4=0.75"));
    QVERIFY(!model.root().segmentsOfType(CalcFraction).isEmpty());
}

void TestCalculatorWritepad::unknownIsSolved()
{
    QVERIFY(write(placed(line("2+?=5", 0, 0, 100))));
    QCOMPARE(textOf(settle()), QStringLiteral("2+3=5"));
}

// The answer "?" of an expression that cannot be solved opens its list on a tap; a second
// tap on it opens nothing more.
void TestCalculatorWritepad::tapOnAnAnswerOpensItsListOnce()
{
    QVERIFY(write(placed(line("+", 0, 0, 100))));
    settle();
    CalculatorUpdater *controller = m_pad->calculatorUpdater();
    ResultItem *answer = nullptr;
    for (QGraphicsItem *child : controller->resultItemGroup()->childItems()) {
        if (child->type() == StyledItem::ResultItemType)
            answer = static_cast<ResultItem *>(child);
    }
    QVERIFY(answer);
    QCOMPARE(answer->segment().selectedCandidate().label(), QStringLiteral("?"));
    const QPoint at = m_pad->view()->mapFromScene(answer->sceneBoundingRect().center());
    QWidget *viewport = m_pad->view()->viewport();
    QTest::mouseMove(viewport, at);
    QSignalSpy shown(controller, &CalculatorUpdater::candidateListShown);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at + QPoint(1, 0));
    QCOMPARE(shown.size(), 1);
    QVERIFY(answer->candidates());
    QCOMPARE(CalculatorUpdater::lastTappedItem(), answer);
    QVERIFY(idle());

    // Tapped again, the same answer opens nothing more.
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at + QPoint(1, 0));
    QCOMPARE(shown.size(), 1);
    QVERIFY(idle());

    // A rebuild deletes the answer's item: no tap may compare with it afterwards.
    UpdateIdle rebuild(controller->model(), 17);
    controller->processRequest(&rebuild);
    QCOMPARE(CalculatorUpdater::lastTappedItem(), nullptr);
}

void TestCalculatorWritepad::strokesBeyondTheCapAreNotRead()
{
    QList<Symbol> ones;
    for (int i = 0; i < 17; ++i)
        ones << mark('=', QRectF(i * 60, 0, 40, 40));
    QVERIFY(write(placed(ones)));
    QCOMPARE(m_pad->calculatorUpdater()->model().root().ink().strokes().size(),
             CalculatorUpdater::MaxStrokes);
}

// A reading that arrives while the controller is idle comes too late and changes nothing.
void TestCalculatorWritepad::lateReadingIsDropped()
{
    QVERIFY(write(placed(line("6", 0, 0, 100))));
    const RecognitionResult before = m_pad->calculatorUpdater()->model();
    m_pad->calculatorUpdater()->recoResultEvent(RecognitionResult());
    QCOMPARE(m_pad->calculatorUpdater()->model(), before);
}

void TestCalculatorWritepad::importWithoutCalculatorFlagClears()
{
    QVERIFY(write(placed(line("6", 0, 0, 100))));
    RecognitionResult foreign = m_pad->calculatorUpdater()->model();
    foreign.layout().flags &= ~4;
    m_pad->importModelEvent(foreign);
    QVERIFY(m_pad->calculatorUpdater()->model().root().ink().isEmpty());
    QVERIFY(m_pad->calculatorUpdater()->typeSetItems().isEmpty());
}

QTEST_MAIN(TestCalculatorWritepad)
#include "tst_calculatorwritepad.moc"
