#include "tesselfixture.h"

#include <QtTest>

// Geometry and cost of composite objects.
class TestObjects : public QObject
{
    Q_OBJECT

private slots:
    void pairGeometry_data();
    void pairGeometry();
    void weightsTakeEffectAfterClear();
    void bracketCostsScaleWithHeight_data();
    void bracketCostsScaleWithHeight();
};

namespace {

enum Kind { Plain, ThinBaseline, ThinCentred, Stretchable, Shrinkable };

struct Terminal
{
    Kind kind;
    double cost;
    double y;
    double h;
};

int answer(Result *target, Region *region, void *user)
{
    const Terminal &t = *static_cast<const Terminal *>(user);
    switch (t.kind) {
    case Plain:
        zkTesselResultAddCandidate(target, region, "a", t.cost, t.y, t.h);
        break;
    case ThinBaseline:
        zkTesselResultAddThinBaselineCandidate(target, region, "a", t.cost, t.y, t.h);
        break;
    case ThinCentred:
        zkTesselResultAddThinCenteredCandidate(target, region, "a", t.cost, t.y, t.h);
        break;
    case Stretchable:
        zkTesselResultAddStretchableCandidate(target, region, "a", t.cost, t.y, t.h);
        break;
    case Shrinkable:
        zkTesselResultAddShrinkableCandidate(target, region, "a", t.cost, t.y, t.h);
        break;
    }
    return 0;
}

// Two strokes far apart, paired as first then second terminal.
Parser *pairParser(Terminal *first, Terminal *second)
{
    Parser *parser = zkCreateTessel();
    const int pair = zkTesselCreateSymbol(parser);
    const int a = zkTesselCreateSymbol(parser);
    const int b = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, a, &answer, first);
    zkTesselAddRecognizerRule(parser, b, &answer, second);
    zkTesselAddHPairRule(parser, pair, a, b, nullptr);
    zkTesselSetStartSymbol(parser, pair);
    addStroke(parser, {{0, 0}, {0, 20}});
    addStroke(parser, {{20, 0}, {20, 20}});
    return parser;
}

}

void TestObjects::pairGeometry_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("cost");

    // First terminal at y 20 with height 10 and cost 0.2, second at y 24, height 6, cost 0.3.
    QTest::newRow("one height counts: it is the pair's") << int(Plain) << int(ThinBaseline) << 10.0 << 22.0 << 0.52;
    QTest::newRow("both heights count: weighted means") << int(Plain) << int(Plain) << 8.0 << 22.0 << 0.5625;
    QTest::newRow("no height counts: weighted mean, no height terms") << int(ThinBaseline) << int(ThinBaseline)
                                                                     << 8.0 << 22.0 << 0.53125;
    QTest::newRow("centre line one height below the base line") << int(Plain) << int(ThinCentred) << 10.0
                                                                << 20.0 << 0.99;
    QTest::newRow("stretchable shorter than the pair") << int(Plain) << int(Stretchable) << 10.0 << 20.0
                                                       << 1.03;
    QTest::newRow("shrinkable not taller than the pair") << int(Plain) << int(Shrinkable) << 10.0 << 20.0
                                                         << 0.99;
    QTest::newRow("shrinkable taller than the pair") << int(Shrinkable) << int(Plain) << 6.0 << 24.0
                                                     << 0.5 + 1.0 / 36 + 4.0 / 36;
}

void TestObjects::pairGeometry()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(double, h);
    QFETCH(double, y);
    QFETCH(double, cost);

    Terminal a{Kind(first), 0.2, 20, 10};
    Terminal b{Kind(second), 0.3, 24, 6};
    Parser *parser = pairParser(&a, &b);
    const ParseObject *pair = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QCOMPARE(type(pair), std::string("HPair"));
    QCOMPARE(zkTesselObjectGetH(pair), h);
    QCOMPARE(zkTesselObjectGetY(pair), y);
    QCOMPARE(zkTesselObjectGetCost(pair), cost);
    QCOMPARE(zkTesselObjectGetRelCost(pair), cost - 0.5);
    zkTesselDestroy(parser);
}

void TestObjects::weightsTakeEffectAfterClear()
{
    Terminal a{Plain, 0.2, 20, 10};
    Terminal b{Plain, 0.3, 24, 6};
    Parser *parser = pairParser(&a, &b);
    QCOMPARE(zkTesselObjectGetCost(zkTesselResultGetCandidate(zkTesselRun(parser), 0)), 0.5625);

    zkTesselSetY0Weight(parser, 1.0);
    QCOMPARE(zkTesselObjectGetCost(zkTesselResultGetCandidate(zkTesselRun(parser), 0)), 0.5625);

    zkTesselClear(parser);
    addStroke(parser, {{0, 0}, {0, 20}});
    addStroke(parser, {{20, 0}, {20, 20}});
    QCOMPARE(zkTesselObjectGetCost(zkTesselResultGetCandidate(zkTesselRun(parser), 0)), 0.65625);
    zkTesselDestroy(parser);
}

void TestObjects::bracketCostsScaleWithHeight_data()
{
    QTest::addColumn<double>("bracketHeight");
    QTest::addColumn<double>("contentsHeight");
    QTest::addColumn<double>("cost");

    QTest::newRow("brackets twice as tall count four times") << 4.0 << 2.0 << 1.0;
    QTest::newRow("brackets as tall as the contents") << 2.0 << 2.0 << 0.4;
    QTest::newRow("contents of height one keep the costs") << 4.0 << 1.0 << 0.4;
}

// Bracketed contents clear of the brackets' outer tenths; the cost callback answers 0.
void TestObjects::bracketCostsScaleWithHeight()
{
    QFETCH(double, bracketHeight);
    QFETCH(double, contentsHeight);
    QFETCH(double, cost);

    Terminal bracket{Plain, 0.1, 40, bracketHeight};
    Terminal contents{Plain, 0.2, 30, contentsHeight};
    Parser *parser = zkCreateTessel();
    const int whole = zkTesselCreateSymbol(parser);
    const int b = zkTesselCreateSymbol(parser);
    const int c = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, b, &answer, &bracket);
    zkTesselAddRecognizerRule(parser, c, &answer, &contents);
    zkTesselAddParenthesisRule(parser, whole, b, c, b, &zeroCost);
    zkTesselSetStartSymbol(parser, whole);
    addStroke(parser, {{0, 0}, {0, 40}});
    addStroke(parser, {{10, 10}, {10, 30}});
    addStroke(parser, {{20, 0}, {20, 40}});

    const ParseObject *object = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QCOMPARE(type(object), std::string("Parenthesis"));
    QCOMPARE(zkTesselObjectGetCost(object), cost);
    QCOMPARE(zkTesselObjectGetH(object), contentsHeight);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestObjects)
#include "tst_objects.moc"
