#include "calcink.h"
#include "calculator/calcrecoeventhandler.h"
#include "calculator/calcrecognizer.h"
#include "calculator/calcsegmenttypes.h"
#include "recognition/enginebinding.h"

#include <QtTest>

using namespace calcink;

// The calculator's recognizer thread reading real handwriting through the parser.
class TestCalcRecognizer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void expressions_data();
    void expressions();
    void strokesHandedOverOnce();
    void removedInkIsHandedOverAgain();
    void emptyAfterClear();
    void typedSymbolTakesItsLabel();

private:
    RecognitionResult recognise(const RecognitionResult &model);

    CalcRecognizer *m_recognizer = nullptr;
};

void TestCalcRecognizer::initTestCase()
{
    QVERIFY(startEngine());
}

void TestCalcRecognizer::cleanupTestCase()
{
    stopEngine();
}

void TestCalcRecognizer::init()
{
    RecognizerConfig config;
    config.setCalculator();
    config.decimalSeparator = QStringLiteral(".");
    m_recognizer = new CalcRecognizer(config);
    QSignalSpy configured(m_recognizer, &CalcRecognizer::configured);
    m_recognizer->start(QThread::LowPriority);
    QVERIFY(configured.wait(20000));
    QCOMPARE(configured.first().first().toBool(), true);
}

void TestCalcRecognizer::cleanup()
{
    delete m_recognizer;
    m_recognizer = nullptr;
}

RecognitionResult TestCalcRecognizer::recognise(const RecognitionResult &model)
{
    CalcRecoEventHandler *handler = m_recognizer->handler();
    QSignalSpy results(handler, &CalcRecoEventHandler::result);
    QMetaObject::invokeMethod(handler, "updateRecognitionResultEvent", Qt::QueuedConnection,
                              Q_ARG(RecognitionResult, model));
    // The reading may come before a wait would start.
    if (!QTest::qWaitFor([&] { return !results.isEmpty(); }, 20000))
        return RecognitionResult();
    return results.last().first().value<RecognitionResult>();
}

static QList<Symbol> fractionOverBar(const QString &top, const QString &bottom, double x,
                                     double y)
{
    QList<Symbol> symbols = line(top, x + 20, y - 30, 100);
    symbols << mark('-', QRectF(x, y - 15, 80 * qMax(top.size(), bottom.size()) + 40, 30));
    symbols << line(bottom, x + 20, y + 130, 100);
    return symbols;
}

void TestCalcRecognizer::expressions_data()
{
    QTest::addColumn<QList<Symbol>>("written");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("structure");

    QTest::newRow("12+3=") << line("12+3=", 0, 200, 100) << "12+3=" << int(CalcRow);

    QList<Symbol> halves = fractionOverBar("1", "2", 0, 300);
    halves << line("+", 230, 350, 100) << fractionOverBar("1", "4", 400, 300)
           << line("=", 620, 350, 100);
    // A fraction reads as its numerator, its bar and its denominator.
    QTest::newRow("fractions over bars") << halves << "1-2+1-4=" << int(CalcFraction);

    QList<Symbol> power = line("5", 0, 300, 100);
    power << digit('2', 4, QRectF(95, 140, 40, 60));
    QTest::newRow("power") << power << "52" << int(CalcPower);

    QList<Symbol> root{mark(QChar(0x221A), QRectF(0, 180, 160, 130))};
    root << digit('9', 2, QRectF(70, 200, 70, 100));
    QTest::newRow("square root") << root << QString(QChar(0x221A)) + "9" << int(CalcSquareRoot);

    QTest::newRow("unknown") << line("2+?=5", 0, 200, 100) << "2+?=5" << int(CalcRow);
}

static bool hasNodeOfType(const Segment &segment, int type)
{
    const ResultNode node = segment.selectedCandidate();
    if (node.type() == type)
        return true;
    for (const Segment &child : node.children()) {
        if (hasNodeOfType(child, type))
            return true;
    }
    return false;
}

void TestCalcRecognizer::expressions()
{
    QFETCH(QList<Symbol>, written);
    QFETCH(int, structure);
    const RecognitionResult model = writtenModel(written);
    const RecognitionResult r = recognise(model);
    QTEST(r.root().selectedCandidate().label(), "text");
    QVERIFY(hasNodeOfType(r.root(), structure));
    QVERIFY(r.layout().flags & 4);
    QCOMPARE(r.root().ink(), model.root().ink());
    for (const Segment &symbol : r.root().segmentsOfType(CalcSymbol))
        QVERIFY(!symbol.ink().isEmpty());
}

// A second update with the same ink hands nothing over again; the lists stay in step with
// the parser's strokes.
void TestCalcRecognizer::strokesHandedOverOnce()
{
    const RecognitionResult model = writtenModel(line("7+1", 0, 200, 100));
    const int strokeCount = model.root().ink().strokes().size();
    recognise(model);
    const RecognitionResult again = recognise(model);
    QCOMPARE(again.root().selectedCandidate().label(), QStringLiteral("7+1"));
    QCOMPARE(m_recognizer->handler()->strokes().size(), strokeCount);
    QCOMPARE(m_recognizer->handler()->labels().size(), strokeCount);
}

void TestCalcRecognizer::removedInkIsHandedOverAgain()
{
    QList<Symbol> symbols = line("4+5", 0, 200, 100);
    recognise(writtenModel(symbols));
    symbols.removeLast();
    symbols.removeLast();
    const RecognitionResult model = writtenModel(symbols);
    const RecognitionResult r = recognise(model);
    QCOMPARE(r.root().selectedCandidate().label(), QStringLiteral("4"));
    QCOMPARE(m_recognizer->handler()->strokes(), model.root().ink().strokes());
}

void TestCalcRecognizer::emptyAfterClear()
{
    recognise(writtenModel(line("8", 0, 200, 100)));
    const RecognitionResult r = recognise(RecognitionResult());
    QVERIFY(r.root().candidates().isEmpty());
    QVERIFY(r.root().ink().isEmpty());
    QVERIFY(m_recognizer->handler()->strokes().isEmpty());
}

// A box stroke made by typesetting carries its symbol: the engine is not asked.
void TestCalcRecognizer::typedSymbolTakesItsLabel()
{
    RecognitionResult model = writtenModel(line("3+", 0, 200, 100));
    ResultNode row = model.root().selectedCandidate();
    Segment typed;
    typed.addInk(InkRange::fromStroke(makeBoxStroke(QRectF(180, 100, 60, 100), 0)));
    ResultNode seven;
    seven.setType(CalcSymbol);
    seven.setLabel(QStringLiteral("7"));
    typed.appendCandidate(seven);
    typed.setSelectedCandidate(0);
    row.appendChild(typed);
    Segment root;
    for (const Segment &child : row.children())
        root.addInk(child.ink());
    root.appendCandidate(row);
    root.setSelectedCandidate(0);
    model.setRoot(root);
    QCOMPARE(recognise(model).root().selectedCandidate().label(), QStringLiteral("3+7"));
}

QTEST_MAIN(TestCalcRecognizer)
#include "tst_calcrecognizer.moc"
