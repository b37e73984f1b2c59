#include "calculator/calcsegmenttypes.h"
#include "calculator/solveexpression.h"
#include "calculator/solverwriteback.h"

#include "model/resultbuilding.h"

#include <QTest>

namespace {

// Hand-written calculator results: every symbol on pen strokes of its own.
class InkWriter
{
public:
    Segment symbol(const QString &label, int strokes = 1)
    {
        Segment segment;
        for (int i = 0; i < strokes; ++i) {
            QPainterPath path(QPointF(m_x, 0));
            path.lineTo(m_x + 5, 10);
            path.lineTo(m_x + 10, 0);
            segment.addInk(InkRange::fromStroke(makePathStroke(path)));
            m_x += 12;
        }
        ResultNode candidate;
        candidate.setType(CalcSymbol);
        candidate.setLabel(label);
        segment.appendCandidate(candidate);
        segment.setSelectedCandidate(0);
        return segment;
    }

    static Segment structure(int type, const QList<Segment> &parts)
    {
        ResultNode candidate;
        candidate.setType(type);
        Segment segment;
        for (const Segment &part : parts) {
            candidate.appendChild(part);
            segment.addInk(part.ink());
        }
        segment.appendCandidate(candidate);
        segment.setSelectedCandidate(0);
        return segment;
    }

    // One symbol per character.
    QList<Segment> symbols(const QString &text)
    {
        QList<Segment> parts;
        for (const QChar c : text)
            parts << symbol(c);
        return parts;
    }

    Segment line(const QString &text) { return structure(CalcRow, symbols(text)); }

private:
    double m_x = 0;
};

RecognitionResult resultOf(const Segment &root)
{
    RecognitionResult result;
    result.setRoot(root);
    return result;
}

RecognitionResult solved(const Segment &root, const QString &separator = ".", int decimals = 3)
{
    RecognitionResult result;
    solveExpression(result, resultOf(root), decimals, separator);
    return result;
}

QString labelOf(const Segment &segment)
{
    return segment.selectedCandidate().label();
}

QList<Segment> partsOf(const Segment &segment)
{
    return segment.selectedCandidate().children();
}

bool sameInk(const InkRange &a, const InkRange &b)
{
    return a.contains(b) && b.contains(a);
}

} // namespace

class TestSolverWriteBack : public QObject
{
    Q_OBJECT

private slots:
    void labels_data();
    void labels();
    void writtenSignsKeepTheirSegments();
    void signOfSeveralStrokes();
    void addedSymbolsAreTypedInk();
    void answerInkIsTheLastValue();
    void scientificValue();
    void errorsAsSecondCandidate_data();
    void errorsAsSecondCandidate();
    void malformedNumberKeepsItsSymbols();
    void structures();
    void bracketsOfMultiTermExponent();
    void nothingToSolve();
};

void TestSolverWriteBack::labels_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("label");
    QTest::newRow("sum") << "1+2+3=" << "." << "1+2+3=6";
    QTest::newRow("added product") << "2(1+2)" << "." << "2×(1+2)=6";
    QTest::newRow("decimal point") << "1/2=" << "." << "1/2=0.5";
    QTest::newRow("decimal comma") << "1/2=" << "," << "1/2=0,5";
    QTest::newRow("written comma, point wanted") << "1,25+1=" << "." << "1,25+1=2.25";
    QTest::newRow("separator left alone") << "1/2=" << "" << "1/2=0.5";
    QTest::newRow("leading comma gets a zero") << ",5+1=" << "," << "0,5+1=1,5";
    QTest::newRow("correction") << "1+2=4" << "." << "1+2=4-1";
    QTest::newRow("unknown replaced") << "?+1=3" << "." << "2+1=3";
    QTest::newRow("no rounding correction") << "0.1+0.2=0.3" << "." << "0.1+0.2=0.3";
}

void TestSolverWriteBack::labels()
{
    QFETCH(QString, input);
    QFETCH(QString, separator);
    QFETCH(QString, label);
    InkWriter ink;
    QCOMPARE(labelOf(solved(ink.line(input), separator).root()), label);
}

// 1+2+3 is one addition; each plus sign is found again through its strokes
// and each number is a row of the user's digits.
void TestSolverWriteBack::writtenSignsKeepTheirSegments()
{
    InkWriter ink;
    const QList<Segment> written = ink.symbols("1+2+3");
    const RecognitionResult result = solved(InkWriter::structure(CalcRow, written));
    const QList<Segment> sides = partsOf(result.root());
    QCOMPARE(sides.size(), 3);
    const QList<Segment> sum = partsOf(sides[0]);
    QCOMPARE(sum.size(), 5);
    QCOMPARE(sides[0].selectedCandidate().type(), int(CalcRow));
    for (int i = 0; i < 5; i += 2) {
        QCOMPARE(partsOf(sum[i]).size(), 1);
        QVERIFY(partsOf(sum[i])[0] == written[i]);
    }
    QVERIFY(sum[1] == written[1]);
    QVERIFY(sum[3] == written[3]);
}

void TestSolverWriteBack::signOfSeveralStrokes()
{
    InkWriter ink;
    const QList<Segment> written{ink.symbol("1"), ink.symbol("+", 2), ink.symbol("2"),
                                 ink.symbol("+", 2), ink.symbol("3"), ink.symbol("=", 2)};
    const RecognitionResult result = solved(InkWriter::structure(CalcRow, written));
    const QList<Segment> sum = partsOf(partsOf(result.root())[0]);
    QCOMPARE(sum.size(), 5);
    QVERIFY(sum[1] == written[1]);
    QVERIFY(sum[3] == written[3]);
    QVERIFY(partsOf(result.root())[1] == written[5]);
}

void TestSolverWriteBack::addedSymbolsAreTypedInk()
{
    InkWriter ink;
    const Segment source = ink.line("2(1+2)");
    const RecognitionResult result = solved(source);
    const QList<Segment> sides = partsOf(result.root());
    const Segment times = partsOf(sides[0])[1];
    QCOMPARE(labelOf(times), QString(QChar(0x00D7)));
    QVERIFY(times.ink().isAllOfKind(Stroke::PointRow));
    const InkRange added = result.cachedInk(CalcAddedInk);
    QVERIFY(added.contains(times.ink()));
    QVERIFY(added.contains(sides[1].ink()));
    QVERIFY(!added.intersects(source.ink()));
    QVERIFY(result.root().ink().contains(source.ink()));
}

void TestSolverWriteBack::answerInkIsTheLastValue()
{
    InkWriter ink;
    const RecognitionResult result = solved(ink.line("?+?=4"));
    const QList<Segment> sum = partsOf(partsOf(result.root())[0]);
    QCOMPARE(labelOf(sum[0]), QString("2"));
    QCOMPARE(labelOf(sum[2]), QString("2"));
    QVERIFY(sameInk(result.cachedInk(CalcAnswerInk), sum[2].ink()));
    QVERIFY(!result.cachedInk(CalcAnswerInk).intersects(sum[0].ink()));
}

void TestSolverWriteBack::scientificValue()
{
    InkWriter ink;
    const RecognitionResult result = solved(ink.line("25000000000+0="));
    const Segment value = partsOf(result.root()).last();
    const QList<Segment> parts = partsOf(value);
    QCOMPARE(value.selectedCandidate().type(), int(CalcRow));
    QCOMPARE(parts.size(), 3);
    QCOMPARE(labelOf(parts[0]), QString("2.5"));
    QCOMPARE(labelOf(parts[1]), QString(QChar(0x00D7)));
    QCOMPARE(parts[2].selectedCandidate().type(), int(CalcPower));
    QCOMPARE(labelOf(partsOf(parts[2])[0]), QString("10"));
    QCOMPARE(labelOf(partsOf(parts[2])[1]), QString("10"));
    QVERIFY(sameInk(result.cachedInk(CalcAnswerInk), value.ink()));
}

void TestSolverWriteBack::errorsAsSecondCandidate_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing determines") << "?=?" << "Incomplete input";
    QTest::newRow("operators only") << "+" << "Incomplete input";
    QTest::newRow("division by zero") << "6/0=" << "Division by zero impossible";
    QTest::newRow("overflow") << "10^400=" << "Failure to obtain a valid result";
    QTest::newRow("even root of a negative") << "√(0-4)=" << "Invalid input";
    QTest::newRow("nested too deep") << QString(300, '(') << "Invalid input";
    QTest::newRow("400 digits") << "1" + QString(399, '0') + "+1="
                                << "Failure to obtain a valid result";
}

void TestSolverWriteBack::errorsAsSecondCandidate()
{
    QFETCH(QString, input);
    QFETCH(QString, message);
    InkWriter ink;
    const RecognitionResult result = solved(ink.line(input));
    const QList<Segment> parts = partsOf(result.root());
    const Segment answer = parts.size() > 1 ? parts.last() : parts.value(0);
    QCOMPARE(labelOf(answer), QString("?"));
    QCOMPARE(answer.candidates().size(), 2);
    QCOMPARE(answer.selectedIndex(), 0);
    QCOMPARE(answer.candidates()[1].label(), message);
    QCOMPARE(answer.candidates()[1].type(), int(CalcSymbol));
    QVERIFY(result.cachedInk(CalcErrorInk).contains(answer.ink()));
}

void TestSolverWriteBack::malformedNumberKeepsItsSymbols()
{
    InkWriter ink;
    const QList<Segment> written = ink.symbols("1.2.3");
    const RecognitionResult result = solved(InkWriter::structure(CalcRow, written));
    const Segment number = partsOf(result.root())[0];
    const QList<Segment> parts = partsOf(number);
    QCOMPARE(parts.size(), 6);
    for (int i = 0; i < 5; ++i)
        QVERIFY(parts[i] == written[i]);
    QCOMPARE(labelOf(parts[5]), QString("?"));
    QCOMPARE(parts[5].candidates().value(1).label(), QString("Invalid input"));
    QVERIFY(result.cachedInk(CalcErrorInk).contains(number.ink()));
}

// Groups the collection adds round a fraction's parts and a radicand write
// no brackets; the root keeps the user's sign and drops its implicit index.
void TestSolverWriteBack::structures()
{
    InkWriter ink;
    const Segment bar = ink.symbol("-");
    const Segment fraction = InkWriter::structure(
        CalcFraction, {ink.line("1"), bar, ink.line("2")});
    const Segment sign = ink.symbol(QString(QChar(0x221A)));
    const Segment root = InkWriter::structure(CalcSquareRoot, {sign, ink.line("9")});
    const RecognitionResult result = solved(
        InkWriter::structure(CalcRow, {fraction, ink.symbol("+"), root, ink.symbol("=")}));
    QCOMPARE(labelOf(result.root()), QString("1-2+√9=3.5"));
    const QList<Segment> sum = partsOf(partsOf(result.root())[0]);
    QCOMPARE(sum[0].selectedCandidate().type(), int(CalcFraction));
    QVERIFY(partsOf(sum[0])[1] == bar);
    QCOMPARE(sum[2].selectedCandidate().type(), int(CalcSquareRoot));
    QCOMPARE(partsOf(sum[2]).size(), 2);
    QVERIFY(partsOf(sum[2])[0] == sign);
}

// 2 to the power 1+1 is 4, and its written form must say so.
void TestSolverWriteBack::bracketsOfMultiTermExponent()
{
    InkWriter ink;
    const Segment power = InkWriter::structure(CalcPower, {ink.symbol("2"), ink.line("1+1")});
    const RecognitionResult result = solved(
        InkWriter::structure(CalcRow, {power, ink.symbol("=")}));
    QCOMPARE(labelOf(result.root()), QString("2(1+1)=4"));
    const Segment exponent = partsOf(partsOf(result.root())[0])[1];
    QCOMPARE(exponent.selectedCandidate().type(), int(CalcGroup));
    QVERIFY(result.cachedInk(CalcAddedInk).contains(partsOf(exponent)[0].ink()));

    InkWriter single;
    const Segment square = InkWriter::structure(CalcPower, {single.symbol("3"), single.line("2")});
    const RecognitionResult squared = solved(
        InkWriter::structure(CalcRow, {square, single.symbol("=")}));
    QCOMPARE(partsOf(partsOf(squared.root())[0])[1].selectedCandidate().type(), int(CalcRow));
    QCOMPARE(labelOf(squared.root()), QString("32=9"));
}

void TestSolverWriteBack::nothingToSolve()
{
    RecognitionResult source = resultOf(Segment());
    source.layout().alignment = 1;
    RecognitionResult result;
    solveExpression(result, source, 3, ".");
    QVERIFY(result == source);

    InkWriter ink;
    RecognitionResult written = resultOf(ink.line("1+1"));
    written.layout().flags = 4;
    solveExpression(result, written, 3, ".");
    QCOMPARE(result.layout(), written.layout());
}

QTEST_GUILESS_MAIN(TestSolverWriteBack)
#include "tst_solverwriteback.moc"
