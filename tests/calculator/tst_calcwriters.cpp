#include "calculator/calcresultwriters.h"
#include "calculator/calcsegmenttypes.h"
#include "calculator/solveexpression.h"
#include "model/calcoutputmode.h"
#include "model/resultbuilding.h"

#include <QXmlStreamReader>
#include <QtTest>

namespace {

double nextX = 0;

Segment node(int type, const QString &label, const QList<Segment> &parts)
{
    ResultNode candidate;
    candidate.setType(type);
    Segment segment;
    if (type == CalcSymbol) {
        candidate.setLabel(label);
        QPainterPath path(QPointF(nextX, 0));
        path.lineTo(nextX + 5, 10);
        nextX += 12;
        segment.addInk(InkRange::fromStroke(makePathStroke(path)));
    }
    for (const Segment &part : parts) {
        candidate.appendChild(part);
        segment.addInk(part.ink());
    }
    segment.appendCandidate(candidate);
    segment.setSelectedCandidate(0);
    return segment;
}

Segment sym(const QString &label)
{
    return node(CalcSymbol, label, {});
}

// A row of items; plain characters of a string each become a symbol.
Segment row(const QList<Segment> &parts)
{
    return node(CalcRow, QString(), parts);
}

Segment row(const QString &symbols)
{
    QList<Segment> parts;
    for (const QChar c : symbols)
        parts << sym(c);
    return parts.size() == 1 ? parts.first() : row(parts);
}

Segment frac(const Segment &numerator, const Segment &denominator)
{
    return node(CalcFraction, QString(), {numerator, sym("-"), denominator});
}

Segment power(const Segment &base, const Segment &exponent)
{
    return node(CalcPower, QString(), {base, exponent});
}

Segment root(const Segment &radicand)
{
    return node(CalcSquareRoot, QString(), {sym(QString(QChar(0x221A))), radicand});
}

Segment group(const Segment &content)
{
    return node(CalcGroup, QString(), {sym("("), content, sym(")")});
}

RecognitionResult result(const Segment &tree)
{
    return resultFromSegment(tree);
}

const QString Times(QChar(0x00D7));
const QString Pi(QChar(0x03C0));

} // namespace

// Calculator results written as plain text, a spreadsheet formula and MathML.
class TestCalcWriters : public QObject
{
    Q_OBJECT
private slots:
    void textForms_data();
    void textForms();
    void mathML_data();
    void mathML();
    void otherModesWriteNothing_data();
    void otherModesWriteNothing();
    void solvedLine_data();
    void solvedLine();
};

void TestCalcWriters::textForms_data()
{
    QTest::addColumn<RecognitionResult>("tree");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("spreadsheet");

    QTest::newRow("row in a numerator")
        << result(frac(row("1+2"), sym("3"))) << "(1+2)/3" << "(1+2)/3";
    QTest::newRow("fraction in a numerator")
        << result(frac(frac(sym("1"), sym("2")), sym("3"))) << "(1/2)/3" << "(1/2)/3";
    QTest::newRow("bracketed numerator keeps its own brackets")
        << result(frac(group(row("1+2")), sym("3"))) << "(1+2)/3" << "(1+2)/3";
    QTest::newRow("fraction in a row")
        << result(row({frac(sym("1"), sym("2")), sym("+"), sym("1")})) << "1/2+1" << "1/2+1";
    // Exponents and radicands of several symbols are bracketed: the text computes what was
    // written.
    QTest::newRow("row exponent")
        << result(power(sym("2"), row("1+1"))) << "2^(1+1)" << "2^(1+1)";
    QTest::newRow("fraction exponent")
        << result(power(sym("4"), frac(sym("1"), sym("2")))) << "4^(1/2)" << "4^(1/2)";
    QTest::newRow("power exponent")
        << result(power(sym("2"), power(sym("3"), sym("2")))) << "2^(3^2)" << "2^(3^2)";
    QTest::newRow("single exponent")
        << result(power(sym("2"), sym("8"))) << "2^8" << "2^8";
    QTest::newRow("row radicand")
        << result(root(row("1+3"))) << QString(QChar(0x221A)) + "(1+3)" << "SQRT(1+3)";
    QTest::newRow("single radicand")
        << result(root(sym("9"))) << QString(QChar(0x221A)) + "9" << "SQRT(9)";
    QTest::newRow("times and pi, formula stops at its equals sign")
        << result(row({sym("2"), sym(Times), sym(Pi), sym("="), sym("6")}))
        << "2" + Times + Pi + "=6" << "2*PI()";
    QTest::newRow("equals sign inside a nested row")
        << result(row({row({row("1+2"), sym("=")}), sym("3")})) << "1+2=3" << "1+2";
}

void TestCalcWriters::textForms()
{
    QFETCH(RecognitionResult, tree);
    QTEST(formatCalcResult(tree, int(CalcOutputMode::Text)), "plain");
    QTEST(formatCalcResult(tree, int(CalcOutputMode::Spreadsheet)), "spreadsheet");
}

void TestCalcWriters::mathML_data()
{
    QTest::addColumn<RecognitionResult>("tree");
    QTest::addColumn<QString>("markup");

    QTest::newRow("fraction")
        << result(frac(row("1+2"), sym("3")))
        << "   <mfrac>\n"
           "    <mrow>\n"
           "     <mn>1</mn>\n"
           "     <mo>+</mo>\n"
           "     <mn>2</mn>\n"
           "    </mrow>\n"
           "    <mrow>\n"
           "     <mn>3</mn>\n"
           "    </mrow>\n"
           "   </mfrac>\n";
    QTest::newRow("power and root")
        << result(row({power(sym("2"), sym("3")), sym("+"), root(sym("9"))}))
        << "   <msup>\n"
           "    <mrow>\n"
           "     <mn>2</mn>\n"
           "    </mrow>\n"
           "    <mrow>\n"
           "     <mn>3</mn>\n"
           "    </mrow>\n"
           "   </msup>\n"
           "   <mo>+</mo>\n"
           "   <msqrt>\n"
           "    <mn>9</mn>\n"
           "   </msqrt>\n";
    QTest::newRow("signs")
        << result(row({sym("2"), sym(Times), sym(Pi), sym("/"), sym(QString(QChar(0x00F7))),
                       sym("=")}))
        << "   <mn>2</mn>\n"
           "   <mi mathvariant=\"normal\">&#xD7;<!-- &times; --></mi>\n"
           "   <mi>&#x3C0;<!-- &pi; --></mi>\n"
           "   <mn>\u00F7</mn>\n"
           "   <mo>=</mo>\n";
}

void TestCalcWriters::mathML()
{
    QFETCH(RecognitionResult, tree);
    const QString markup = formatCalcResult(tree, int(CalcOutputMode::Html));
    QTEST(markup, "markup");
    QXmlStreamReader reader(QStringLiteral("<math><mrow>\n%1</mrow></math>").arg(markup));
    while (!reader.atEnd())
        reader.readNext();
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
}

void TestCalcWriters::otherModesWriteNothing_data()
{
    QTest::addColumn<int>("mode");
    for (int mode : {1, 3, 5, 6, 7, 9, 16})
        QTest::addRow("mode %d", mode) << mode;
}

void TestCalcWriters::otherModesWriteNothing()
{
    QFETCH(int, mode);
    QCOMPARE(formatCalcResult(result(row("1+2")), mode), QString());
}

void TestCalcWriters::solvedLine_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("solve");
    QTest::addColumn<QString>("sent");
    QTest::newRow("plain") << "12+3=" << int(CalcOutputMode::Text) << true << "12+3=15";
    QTest::newRow("answer only") << "12+3=" << int(CalcOutputMode::ResultOnly) << true << "15";
    QTest::newRow("formula") << "12+3=" << int(CalcOutputMode::Spreadsheet) << true << "12+3";
    QTest::newRow("unknown, answer only")
        << "2+?=5" << int(CalcOutputMode::ResultOnly) << true << "3";
    QTest::newRow("no answer, answer only")
        << "12+3=" << int(CalcOutputMode::ResultOnly) << false << "";
}

void TestCalcWriters::solvedLine()
{
    QFETCH(QString, written);
    QFETCH(int, mode);
    QFETCH(bool, solve);
    RecognitionResult solved = result(row(written));
    if (solve)
        solveExpression(solved, result(row(written)), 3, QStringLiteral("."));
    QTEST(formatCalcResult(solved, mode), "sent");
}

QTEST_MAIN(TestCalcWriters)
#include "tst_calcwriters.moc"
