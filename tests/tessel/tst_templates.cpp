#include "tesselfixture.h"

#include <QtTest>

// Terminals recognised by the built-in shape templates, without any recognizer callback.
using Drawn = std::vector<Points>;
Q_DECLARE_METATYPE(Drawn)

class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void singleSymbol_data();
    void singleSymbol();
    void poorOrNoMatch_data();
    void poorOrNoMatch();
    void onePlusTwoFromTemplates();
};

namespace {

// Draws outlines as the template library does, in template units mapped by
// scale and offset: x right, y down, base line at 0, digit top at -2.
class Pen
{
public:
    Pen(float scale, float dx, float dy)
        : m_scale(scale), m_dx(dx), m_dy(dy)
    {
    }
    Pen &move(double x, double y)
    {
        m_strokes.push_back({});
        return line(x, y);
    }
    Pen &line(double x, double y)
    {
        m_x = x;
        m_y = y;
        m_strokes.back().push_back({float(m_dx + m_scale * x), float(m_dy + m_scale * y)});
        return *this;
    }
    Pen &quad(double cx, double cy, double x, double y)
    {
        const double x0 = m_x, y0 = m_y;
        for (int k = 1; k <= 256; ++k) {
            const double t = k / 256.0, u = 1 - t;
            line(u * u * x0 + 2 * u * t * cx + t * t * x, u * u * y0 + 2 * u * t * cy + t * t * y);
        }
        return *this;
    }
    Pen &cubic(double c1x, double c1y, double c2x, double c2y, double x, double y)
    {
        const double x0 = m_x, y0 = m_y;
        for (int k = 1; k <= 64; ++k) {
            const double t = k / 64.0, u = 1 - t;
            line(u * u * u * x0 + 3 * u * u * t * c1x + 3 * u * t * t * c2x + t * t * t * x,
                 u * u * u * y0 + 3 * u * u * t * c1y + 3 * u * t * t * c2y + t * t * t * y);
        }
        return *this;
    }
    Drawn strokes() const { return m_strokes; }

private:
    float m_scale, m_dx, m_dy;
    double m_x = 0, m_y = 0;
    Drawn m_strokes;
};

Drawn one(Pen pen)
{
    return pen.move(0, -2).line(0, 0).strokes();
}

Drawn plus(Pen pen)
{
    return pen.move(0.5, -1).line(0.5, 0).move(0, -0.5).line(1, -0.5).strokes();
}

Drawn two(Pen pen)
{
    return pen.move(0, -1.6).cubic(0, -2.2, 0.8, -2.2, 0.8, -1.5).cubic(0.8, -1, 0, -0.5, 0, -0.2)
            .quad(0, 0, 1, 0).strokes();
}

Drawn fourOfTwoStrokes(Pen pen)
{
    return pen.move(0.7, -2).line(0, -0.7).line(1, -0.7).move(0.6, -1.1).line(0.6, 0).strokes();
}

Drawn swapped(Drawn strokes)
{
    std::swap(strokes[0], strokes[1]);
    return strokes;
}

Parser *matcherParser(const char *description)
{
    Parser *parser = zkCreateTessel();
    const int s = zkTesselCreateSymbol(parser);
    zkTesselAddMatcherRule(parser, s, description);
    zkTesselSetStartSymbol(parser, s);
    return parser;
}

}

void TestTemplates::singleSymbol_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<Drawn>("ink");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two among the digits") << "0 1 2 3 4 5 6 7 8 9" << two(Pen(30, 100, 50)) << "2";
    QTest::newRow("upright line is a one") << "1 7" << one(Pen(10, -5, 0)) << "1";
    QTest::newRow("plus in its own order") << "+ = x" << plus(Pen(12, 3, 4)) << "+";
    QTest::newRow("plus with its strokes swapped") << "+ = x" << swapped(plus(Pen(12, 3, 4))) << "+";
    QTest::newRow("words apart by two spaces") << "7  4" << fourOfTwoStrokes(Pen(20, 0, 0)) << "4";
}

// Ink drawn from a template, scaled and moved, matches it at no cost with the
// template's base line and half digit height mapped onto the ink.
void TestTemplates::singleSymbol()
{
    QFETCH(QString, description);
    QFETCH(Drawn, ink);
    QFETCH(QString, expected);

    Parser *parser = matcherParser(description.toUtf8().constData());
    for (const Points &s : ink)
        addStroke(parser, s);
    const ParseObject *best = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QVERIFY(best);
    QCOMPARE(type(best), std::string("Matcher"));
    QCOMPARE(QString::fromStdString(label(best)), expected);
    QVERIFY2(zkTesselObjectGetCost(best) < 1e-4, qPrintable(QString::number(zkTesselObjectGetCost(best))));
    zkTesselDestroy(parser);
}

void TestTemplates::poorOrNoMatch_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<Drawn>("ink");
    QTest::addColumn<bool>("none");

    QTest::newRow("four strokes") << "+ = x" << [] {
        Drawn ink = plus(Pen(10, 0, 0));
        const Drawn more = plus(Pen(10, 30, 0));
        ink.insert(ink.end(), more.begin(), more.end());
        return ink;
    }() << true;
    QTest::newRow("stroke count differs") << "1 2 3" << plus(Pen(10, 0, 0)) << true;
    QTest::newRow("all points coincide") << "0 1 2 - +" << Drawn{{{5, 5}}, {{5, 5}, {5, 5}}} << true;
    QTest::newRow("unknown names") << "one two  " << one(Pen(10, 0, 0)) << true;
    QTest::newRow("names are case-sensitive") << "n" << Pen(10, 0, 0).move(0, 0).line(0, -2).line(1.2, 0)
                                                         .line(1.2, -2).strokes() << false;
    QTest::newRow("swapped strokes of a template that keeps its order")
        << "4" << swapped(fourOfTwoStrokes(Pen(20, 0, 0))) << false;
}

void TestTemplates::poorOrNoMatch()
{
    QFETCH(QString, description);
    QFETCH(Drawn, ink);
    QFETCH(bool, none);

    Parser *parser = matcherParser(description.toUtf8().constData());
    for (const Points &s : ink)
        addStroke(parser, s);
    const Result *result = zkTesselRun(parser);
    for (int i = 0; i < zkTesselResultGetCandidateCount(result); ++i)
        QVERIFY(zkTesselObjectGetCost(zkTesselResultGetCandidate(result, i)) > 1e-3);
    if (none)
        QCOMPARE(zkTesselResultGetCandidateCount(result), 0);
    else
        QVERIFY(zkTesselResultGetCandidateCount(result) > 0);
    zkTesselDestroy(parser);
}

void TestTemplates::onePlusTwoFromTemplates()
{
    Parser *parser = zkCreateTessel();
    const int digit = zkTesselCreateSymbol(parser);
    const int op = zkTesselCreateSymbol(parser);
    const int expression = zkTesselCreateSymbol(parser);
    zkTesselAddMatcherRule(parser, digit, "0 1 2 3 4 5 6 7 8 9");
    zkTesselAddMatcherRule(parser, op, "+ -");
    zkTesselAddIdentityRule(parser, expression, digit);
    zkTesselAddIdentityRule(parser, expression, op);
    zkTesselAddHPairRule(parser, expression, expression, expression, nullptr);
    zkTesselSetStartSymbol(parser, expression);
    for (const Drawn &symbol : {one(Pen(20, 10, 60)), plus(Pen(20, 40, 60)), two(Pen(20, 80, 60))})
        for (const Points &s : symbol)
            addStroke(parser, s);

    const ParseObject *best = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QVERIFY(best);
    QCOMPARE(type(best), std::string("HPair"));
    QCOMPARE(terminals(best), (std::vector<std::string>{"1", "+", "2"}));
    QCOMPARE(withoutBraces(label(best)), std::string("1+2"));
    QVERIFY(qAbs(zkTesselObjectGetY(best) - 60) < 0.01);
    QVERIFY(qAbs(zkTesselObjectGetH(best) - 20) < 0.01);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
