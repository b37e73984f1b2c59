#include "tesselfixture.h"

#include <QtTest>

#include <set>

// Which stroke groups each relation rule asks its parts for: the stroke order it
// splits along and the sizes its parts may take.
using Drawn = std::vector<Points>;
using Groups = std::set<std::vector<int>>;
using Asked = std::vector<Groups>;
Q_DECLARE_METATYPE(Drawn)
Q_DECLARE_METATYPE(Asked)

class TestSplits : public QObject
{
    Q_OBJECT

private slots:
    void partsAsked_data();
    void partsAsked();
};

namespace {

// Answers every group with one cheap candidate and notes the groups asked.
int recordAndAnswer(Result *target, Region *region, void *user)
{
    static_cast<Groups *>(user)->insert(regionStrokes(region));
    double x, y, w, h;
    zkTesselRegionGetBoundingBox(region, &x, &y, &w, &h);
    zkTesselResultAddCandidate(target, region, "a", 0.1, y + h, 5);
    return 0;
}

// Short strokes centred on the given points.
Drawn dashes(const std::vector<std::pair<float, float>> &centres)
{
    Drawn out;
    for (const auto &c : centres)
        out.push_back({{c.first - 1, c.second}, {c.first + 1, c.second}});
    return out;
}

Drawn uprights(const std::vector<float> &xs)
{
    Drawn out;
    for (float x : xs)
        out.push_back({{x, 0}, {x, 20}});
    return out;
}

}

void TestSplits::partsAsked_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<Drawn>("strokes");
    QTest::addColumn<Asked>("asked");

    QTest::newRow("pair, by centroid x") << "hpair" << uprights({20, 0, 30, 10})
        << Asked{{{1}, {1, 3}, {0, 1, 3}}, {{0, 2, 3}, {0, 2}, {2}}};
    QTest::newRow("sign, by left edge, at most three strokes") << "sqrt" << uprights({40, 0, 30, 10, 20})
        << Asked{{{1}, {1, 3}, {1, 3, 4}}, {{0, 2, 3, 4}, {0, 2, 4}, {0, 2}}};
    QTest::newRow("limit, by centroid y") << "limit" << dashes({{0, 20}, {0, 0}, {0, 10}})
        << Asked{{{1}, {1, 2}}, {{0, 2}, {0}}};
    QTest::newRow("superscript, by x - y") << "superscript" << dashes({{0, 0}, {10, 20}, {10, 0}})
        << Asked{{{1}, {0, 1}}, {{0, 2}, {2}}};
    QTest::newRow("subscript, by x + y") << "subscript" << dashes({{0, 0}, {10, 20}, {10, 0}})
        << Asked{{{0}, {0, 2}}, {{1, 2}, {1}}};
    QTest::newRow("operator of one stroke") << "operator" << uprights({20, 0, 30, 10})
        << Asked{{{1}, {1, 3}}, {{3}, {0}}, {{0, 2}, {2}}};
    QTest::newRow("fraction bar of one or two strokes") << "fraction"
        << dashes({{0, 20}, {0, 0}, {0, 30}, {0, 10}})
        << Asked{{{1}, {1, 3}}, {{3}, {0, 3}, {0}}, {{0, 2}, {2}}};
    QTest::newRow("sum sign of one to three strokes") << "sum"
        << dashes({{0, 0}, {0, 10}, {0, 20}, {0, 30}, {0, 40}})
        << Asked{{{0}, {0, 1}, {0, 1, 2}}, {{1}, {1, 2}, {1, 2, 3}, {2}, {2, 3}, {3}}, {{2, 3, 4}, {3, 4}, {4}}};
    QTest::newRow("brackets of one to three strokes") << "parenthesis" << uprights({0, 1, 2, 3, 4, 5, 6, 7})
        << Asked{{{0}, {0, 1}, {0, 1, 2}},
                 {{1, 2, 3, 4}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}, {2, 3, 4}, {2, 3, 4, 5}, {2, 3, 4, 5, 6},
                  {3, 4}, {3, 4, 5}, {3, 4, 5, 6}},
                 {{5, 6, 7}, {6, 7}, {7}}};
    Drawn integral = dashes({{11, 10}, {11, 0}, {0, 20}, {11, 30}, {11, 20}});
    integral[2] = {{0, 0}, {0, 40}};
    QTest::newRow("integral sign leftmost, limits by centroid y") << "integral" << integral
        << Asked{{{2}}, {{1}, {0, 1}}, {{0, 1, 3, 4}, {0}, {0, 4}, {4}}, {{3, 4}, {3}}};
    QTest::newRow("integral of three strokes has no limits") << "integral" << uprights({10, 0, 20})
        << Asked{{{1}}, {}, {{0, 2}}, {}};
    QTest::newRow("one stroke splits nowhere") << "hpair" << uprights({0}) << Asked{{}, {}};
}

void TestSplits::partsAsked()
{
    QFETCH(QString, rule);
    QFETCH(Drawn, strokes);
    QFETCH(Asked, asked);

    Parser *parser = zkCreateTessel();
    const int whole = zkTesselCreateSymbol(parser);
    Asked recorded(asked.size());
    std::vector<int> p;
    for (Groups &groups : recorded) {
        p.push_back(zkTesselCreateSymbol(parser));
        zkTesselAddRecognizerRule(parser, p.back(), &recordAndAnswer, &groups);
    }
    if (rule == "hpair")
        zkTesselAddHPairRule(parser, whole, p[0], p[1], nullptr);
    else if (rule == "sqrt")
        zkTesselAddSqrtRule(parser, whole, p[0], p[1], nullptr);
    else if (rule == "limit")
        zkTesselAddLimitRule(parser, whole, p[0], p[1], nullptr);
    else if (rule == "superscript")
        zkTesselAddSuperscriptRule(parser, whole, p[0], p[1], nullptr);
    else if (rule == "subscript")
        zkTesselAddSubscriptRule(parser, whole, p[0], p[1], nullptr);
    else if (rule == "operator")
        zkTesselAddOperatorRule(parser, whole, p[0], p[1], p[2], nullptr);
    else if (rule == "fraction")
        zkTesselAddFractionRule(parser, whole, p[0], p[1], p[2], nullptr);
    else if (rule == "sum")
        zkTesselAddSumRule(parser, whole, p[0], p[1], p[2], nullptr);
    else if (rule == "parenthesis")
        zkTesselAddParenthesisRule(parser, whole, p[0], p[1], p[2], nullptr);
    else if (rule == "integral")
        zkTesselAddIntegralRule(parser, whole, p[0], p[1], p[2], p[3], nullptr);
    zkTesselSetStartSymbol(parser, whole);
    for (const Points &s : strokes)
        addStroke(parser, s);

    const Result *result = zkTesselRun(parser);
    QCOMPARE(recorded, asked);
    QCOMPARE(zkTesselResultGetCandidateCount(result) > 0, strokes.size() > 1);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestSplits)
#include "tst_splits.moc"
