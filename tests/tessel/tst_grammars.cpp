#include "tesselfixture.h"

#include <QtTest>

// Brackets, integrals, sums, limits and scripts, each with a grammar of its own.
struct Drawing
{
    std::vector<Points> strokes;
    // Stroke group, label, kind of terminal.
    std::vector<std::tuple<std::vector<int>, std::string, TableRecognizer::Kind>> terminals;
};
Q_DECLARE_METATYPE(Drawing)

class TestGrammars : public QObject
{
    Q_OBJECT

private slots:
    void structures_data();
    void structures();
};

namespace {

enum Symbol { Terminal, Operand, Open, Close, IntegralSign, SigmaSign, Expression, SymbolCount };

Parser *createParser(const QString &rule, TableRecognizer *recognizer)
{
    Parser *p = zkCreateTessel();
    for (int i = 0; i < SymbolCount; ++i)
        zkTesselCreateSymbol(p);
    zkTesselAddRecognizerRule(p, Terminal, &TableRecognizer::callback, recognizer);
    zkTesselAddFilterRule(p, Operand, Terminal, "0 1 2 i n x");
    zkTesselAddFilterRule(p, Open, Terminal, "(");
    zkTesselAddFilterRule(p, Close, Terminal, ")");
    zkTesselAddFilterRule(p, IntegralSign, Terminal, "\\int");
    zkTesselAddFilterRule(p, SigmaSign, Terminal, "\\sigma");
    zkTesselAddIdentityRule(p, Expression, Operand);
    if (rule == "parenthesis")
        zkTesselAddParenthesisRule(p, Expression, Open, Expression, Close, nullptr);
    else if (rule == "integral")
        zkTesselAddIntegralRule(p, Expression, IntegralSign, Operand, Expression, Operand, nullptr);
    else if (rule == "sum")
        zkTesselAddSumRule(p, Expression, Operand, SigmaSign, Operand, nullptr);
    else if (rule == "limit")
        zkTesselAddLimitRule(p, Expression, Operand, Operand, nullptr);
    else if (rule == "subscript")
        zkTesselAddSubscriptRule(p, Expression, Operand, Operand, nullptr);
    zkTesselSetStartSymbol(p, Expression);
    return p;
}

Points vertical(float x, float top, float bottom)
{
    return {{x, top}, {x, bottom}};
}

Points cross1(float left, float top, float size)
{
    return {{left, top}, {left + size, top + size}};
}

Points cross2(float left, float top, float size)
{
    return {{left + size, top}, {left, top + size}};
}

Points bracket(float left, float top, float bottom, bool opening)
{
    const float inner = opening ? left + 3 : left;
    const float outer = opening ? left : left + 3;
    return {{inner, top}, {outer, (top + bottom) / 2}, {inner, bottom}};
}

using K = TableRecognizer;

}

void TestGrammars::structures_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("children");

    QTest::newRow("bracketed digit, one split of three strokes") << "parenthesis"
        << Drawing{{bracket(0, 0, 24, true), vertical(8, 2, 22), bracket(13, 0, 24, false)},
                   {{{0}, "(", K::Stretchable}, {{1}, "1", K::Plain}, {{2}, ")", K::Stretchable}}}
        << "Parenthesis" << "(1)" << 3;
    QTest::newRow("bracketed two-stroke contents") << "parenthesis"
        << Drawing{{bracket(0, 0, 24, true), cross1(6, 7, 10), cross2(6, 7, 10), bracket(19, 0, 24, false)},
                   {{{0}, "(", K::Stretchable}, {{1, 2}, "x", K::Plain}, {{3}, ")", K::Stretchable}}}
        << "Parenthesis" << "(x)" << 3;
    QTest::newRow("integral without limits") << "integral"
        << Drawing{{vertical(2, -10, 30), cross1(10, 10, 10), cross2(10, 10, 10)},
                   {{{0}, "\\int", K::Plain}, {{1, 2}, "x", K::Plain}}}
        << "Integral" << "\\int{x}" << 2;
    QTest::newRow("integral with limits") << "integral"
        << Drawing{{vertical(3, 0, 40), vertical(9, 0, 8), cross1(12, 15, 10), cross2(12, 15, 10),
                    {{8, 32}, {12, 32}, {12, 40}, {8, 40}, {8, 32}}},
                   {{{0}, "\\int", K::Plain}, {{1}, "1", K::Plain}, {{2, 3}, "x", K::Plain},
                    {{4}, "0", K::Plain}}}
        << "Integral" << "\\int_{0}^{1}{x}" << 4;
    QTest::newRow("integral sign not recognised") << "integral"
        << Drawing{{vertical(2, -10, 30), cross1(10, 10, 10), cross2(10, 10, 10)}, {{{1, 2}, "x", K::Plain}}}
        << "" << "" << 0;
    QTest::newRow("sum with limits") << "sum"
        << Drawing{{{{5, 0}, {5, 6}, {15, 6}}, {{20, 10}, {0, 10}, {10, 20}, {0, 30}, {20, 30}},
                    vertical(10, 34, 40)},
                   {{{0}, "n", K::Plain}, {{1}, "\\sigma", K::Plain}, {{2}, "i", K::Plain}}}
        << "Sum" << "\\sigma_{i}^{n}" << 3;
    QTest::newRow("limit below its main part") << "limit"
        << Drawing{{cross1(0, 0, 20), cross2(0, 0, 20), {{5, 24}, {5, 30}, {15, 30}}},
                   {{{0, 1}, "x", K::Plain}, {{2}, "n", K::Plain}}}
        << "Limit" << "x_{n}" << 2;
    QTest::newRow("subscript") << "subscript"
        << Drawing{{cross1(0, 0, 10), cross2(0, 0, 10), {{11, 8}, {15, 8}, {11, 14}, {15, 14}}},
                   {{{0, 1}, "x", K::Plain}, {{2}, "2", K::Plain}}}
        << "Subscript" << "x_2" << 2;
}

void TestGrammars::structures()
{
    QFETCH(QString, rule);
    QFETCH(Drawing, drawing);
    QFETCH(QString, type);
    QFETCH(QString, label);
    QFETCH(int, children);

    TableRecognizer recognizer;
    for (const auto &t : drawing.terminals)
        recognizer.add(std::get<0>(t), std::get<1>(t), 0.2, std::get<2>(t));
    Parser *parser = createParser(rule, &recognizer);
    for (const Points &s : drawing.strokes)
        addStroke(parser, s);

    const Result *result = zkTesselRun(parser);
    const ParseObject *best = zkTesselResultGetCandidate(result, 0);
    QCOMPARE(QString::fromStdString(::type(best)), type);
    QCOMPARE(QString::fromStdString(::label(best)), label);
    QCOMPARE(zkTesselObjectGetChildCount(best), children);
    if (best)
        QCOMPARE(zkTesselRegionGetStrokeCount(zkTesselObjectGetRegion(best)), int(drawing.strokes.size()));
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestGrammars)
#include "tst_grammars.moc"
