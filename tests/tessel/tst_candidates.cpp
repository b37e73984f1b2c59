#include "tesselfixture.h"

#include <QtTest>

// Candidate lists: capacity, order, near-duplicates, label filters, objects and regions.
struct Candidate
{
    std::string label;
    double cost;
    double y;
    double h;
};
using Candidates = std::vector<Candidate>;
using Labels = std::vector<std::string>;
Q_DECLARE_METATYPE(Candidates)
Q_DECLARE_METATYPE(Labels)

class TestCandidates : public QObject
{
    Q_OBJECT

private slots:
    void candidateList_data();
    void candidateList();
    void nearDuplicates_data();
    void nearDuplicates();
    void filterWords_data();
    void filterWords();
    void labelBufferIsShared();
    void objectsAndRegions();
};

namespace {

int scripted(Result *target, Region *region, void *user)
{
    for (const Candidate &c : *static_cast<const Candidates *>(user))
        zkTesselResultAddCandidate(target, region, c.label.c_str(), c.cost, c.y, c.h);
    return 0;
}

Labels labels(const Result *result)
{
    Labels out;
    for (int i = 0; i < zkTesselResultGetCandidateCount(result); ++i)
        out.push_back(label(zkTesselResultGetCandidate(result, i)));
    return out;
}

// Candidates named by their position, each at its own height.
Candidates numbered(const std::vector<double> &costs)
{
    Candidates out;
    for (size_t i = 0; i < costs.size(); ++i)
        out.push_back({std::to_string(i), costs[i], 10.0 + double(i), 5.0});
    return out;
}

Labels names(int from, int to, int step)
{
    Labels out;
    for (int i = from; i != to + step; i += step)
        out.push_back(std::to_string(i));
    return out;
}

std::vector<double> range(double from, double to)
{
    std::vector<double> out;
    for (double c = from; c <= to; c += 1.0)
        out.push_back(c);
    return out;
}

Parser *oneStrokeParser()
{
    Parser *parser = zkCreateTessel();
    for (int i = 0; i < 4; ++i)
        zkTesselCreateSymbol(parser);
    addStroke(parser, {{0, 0}, {0, 10}});
    return parser;
}

}

void TestCandidates::candidateList_data()
{
    QTest::addColumn<Candidates>("added");
    QTest::addColumn<Labels>("expected");

    QTest::newRow("sorted by cost") << numbered({3, 1, 2}) << Labels{"1", "2", "0"};
    QTest::newRow("equal costs, newest first") << numbered({1, 1, 1}) << Labels{"2", "1", "0"};
    QTest::newRow("at most twenty, the cheapest") << numbered(range(1, 25)) << names(0, 19, 1);
    QTest::newRow("at most twenty, added costliest first") << numbered({25, 24, 23, 22, 21, 20, 19, 18, 17, 16,
                                                                        15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5,
                                                                        4, 3, 2, 1})
                                                          << names(24, 5, -1);
    std::vector<double> full = range(1, 20);
    full.push_back(20);
    QTest::newRow("equal to the worst of a full list is dropped") << numbered(full) << names(0, 19, 1);
    full.back() = 0.5;
    Labels cheaper = names(0, 18, 1);
    cheaper.insert(cheaper.begin(), "20");
    QTest::newRow("cheaper than the worst of a full list enters") << numbered(full) << cheaper;
    Candidates identical{{"a", 1, 10, 5}, {"b", 2, 10, 5}};
    QTest::newRow("the recognizer's own candidates are not compared") << identical << Labels{"a", "b"};
    QTest::newRow("a cost that is not a number is dropped") << Candidates{{"a", qQNaN(), 10, 5}} << Labels{};
}

void TestCandidates::candidateList()
{
    QFETCH(Candidates, added);
    QFETCH(Labels, expected);

    Parser *parser = oneStrokeParser();
    zkTesselAddRecognizerRule(parser, 0, &scripted, &added);
    zkTesselSetStartSymbol(parser, 0);
    const Result *result = zkTesselRun(parser);
    QCOMPARE(labels(result), expected);
    for (int i = 1; i < zkTesselResultGetCandidateCount(result); ++i)
        QVERIFY(zkTesselObjectGetCost(zkTesselResultGetCandidate(result, i - 1))
                <= zkTesselObjectGetCost(zkTesselResultGetCandidate(result, i)));
    zkTesselDestroy(parser);
}

void TestCandidates::nearDuplicates_data()
{
    QTest::addColumn<Candidates>("first");
    QTest::addColumn<Candidates>("second");
    QTest::addColumn<Labels>("expected");

    QTest::newRow("replaces a costlier duplicate")
        << Candidates{{"a", 2, 10, 5}} << Candidates{{"b", 1, 10, 5}} << Labels{"b"};
    QTest::newRow("replaces a duplicate of equal cost")
        << Candidates{{"a", 1, 10, 5}} << Candidates{{"b", 1, 10, 5}} << Labels{"b"};
    QTest::newRow("is not inserted after a cheaper duplicate")
        << Candidates{{"a", 1, 10, 5}} << Candidates{{"b", 2, 10, 5}} << Labels{"a"};
    QTest::newRow("within a relative 2^-16")
        << Candidates{{"a", 2, 10, 5}} << Candidates{{"b", 1, 10.0001, 5}} << Labels{"b"};
    QTest::newRow("beyond a relative 2^-16")
        << Candidates{{"a", 2, 10, 5}} << Candidates{{"b", 1, 10.001, 5}} << Labels{"b", "a"};
    QTest::newRow("other height")
        << Candidates{{"a", 2, 10, 5}} << Candidates{{"b", 1, 10, 6}} << Labels{"b", "a"};
    QTest::newRow("positions of exactly zero are never equal")
        << Candidates{{"a", 2, 0, 5}} << Candidates{{"b", 1, 0, 5}} << Labels{"b", "a"};
    Candidates twenty = numbered(range(1, 20));
    Labels replaced = names(0, 19, 1);
    replaced.erase(replaced.begin() + 9);
    replaced.insert(replaced.begin() + 4, "x");
    QTest::newRow("in a full list") << twenty << Candidates{{"x", 4.5, 19, 5}} << replaced;
}

// Two recognizers feed one symbol through identity rules, which compare geometry.
void TestCandidates::nearDuplicates()
{
    QFETCH(Candidates, first);
    QFETCH(Candidates, second);
    QFETCH(Labels, expected);

    Parser *parser = oneStrokeParser();
    zkTesselAddRecognizerRule(parser, 0, &scripted, &first);
    zkTesselAddRecognizerRule(parser, 1, &scripted, &second);
    zkTesselAddIdentityRule(parser, 2, 0);
    zkTesselAddIdentityRule(parser, 2, 1);
    zkTesselSetStartSymbol(parser, 2);
    QCOMPARE(labels(zkTesselRun(parser)), expected);
    zkTesselDestroy(parser);
}

void TestCandidates::filterWords_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<Labels>("offered");
    QTest::addColumn<Labels>("expected");

    QTest::newRow("two spaces give no empty word") << "a  b" << Labels{"a", "", "b"} << Labels{"a", "b"};
    QTest::newRow("whole labels only") << "ab" << Labels{"a", "ab", "abc"} << Labels{"ab"};
    QTest::newRow("case-sensitive, last word kept") << "x X" << Labels{"x", "X", "y"} << Labels{"x", "X"};
    QTest::newRow("names with a backslash") << "\\sqrt \\pi" << Labels{"\\sqrt", "sqrt", "\\pi"}
                                            << Labels{"\\sqrt", "\\pi"};
    QTest::newRow("all are examined") << "z" << Labels{"a", "b", "z"} << Labels{"z"};
}

void TestCandidates::filterWords()
{
    QFETCH(QString, words);
    QFETCH(Labels, offered);
    QFETCH(Labels, expected);

    Candidates candidates;
    for (size_t i = 0; i < offered.size(); ++i)
        candidates.push_back({offered[i], 1.0 + double(i), 10.0 + double(i), 5});
    Parser *parser = oneStrokeParser();
    zkTesselAddRecognizerRule(parser, 0, &scripted, &candidates);
    zkTesselAddFilterRule(parser, 1, 0, words.toUtf8().constData());
    zkTesselSetStartSymbol(parser, 1);
    QCOMPARE(labels(zkTesselRun(parser)), expected);
    zkTesselDestroy(parser);
}

void TestCandidates::labelBufferIsShared()
{
    Candidates candidates{{"first", 1, 10, 5}, {"second", 2, 11, 5}};
    Parser *parser = oneStrokeParser();
    zkTesselAddRecognizerRule(parser, 0, &scripted, &candidates);
    zkTesselSetStartSymbol(parser, 0);
    const Result *result = zkTesselRun(parser);
    const char *a = zkTesselObjectGetLabel(zkTesselResultGetCandidate(result, 0));
    QCOMPARE(a, "first");
    const char *b = zkTesselObjectGetLabel(zkTesselResultGetCandidate(result, 1));
    QCOMPARE(a, b);
    QCOMPARE(a, "second");
    zkTesselDestroy(parser);
}

void TestCandidates::objectsAndRegions()
{
    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.25);
    recognizer.add({1, 2}, "x", 0.5);
    Parser *parser = zkCreateTessel();
    const int t = zkTesselCreateSymbol(parser);
    const int e = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, t, &TableRecognizer::callback, &recognizer);
    zkTesselAddHPairRule(parser, e, t, t, nullptr);
    zkTesselSetStartSymbol(parser, e);
    addStroke(parser, {{0, 0}, {0, 20}});
    addStroke(parser, {{10, 10}, {20, 20}});
    addStroke(parser, {{20, 10}, {10, 20}});

    const ParseObject *pair = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QCOMPARE(type(pair), std::string("HPair"));
    QCOMPARE(zkTesselObjectGetSW(pair), 3.0);
    QCOMPARE(zkTesselObjectGetYW(pair), 2.0);
    QCOMPARE(zkTesselObjectGetHW(pair), 2.0);
    QCOMPARE(zkTesselObjectGetChild(pair, 2), nullptr);
    QCOMPARE(zkTesselObjectGetChild(pair, -1), nullptr);

    const ParseObject *one = zkTesselObjectGetChild(pair, 0);
    QCOMPARE(type(one), std::string("Recognizer"));
    QCOMPARE(zkTesselObjectGetChildCount(one), 0);
    for (int i : {-1, 0, 1, 5})
        QCOMPARE(zkTesselObjectGetChild(one, i), nullptr);
    QCOMPARE(zkTesselObjectGetRelCost(one), 0.0);
    QCOMPARE(zkTesselObjectGetSW(one), 1.0);

    const Region *single = zkTesselObjectGetRegion(one);
    QCOMPARE(zkTesselRegionGetFirstStroke(single), 0);
    QCOMPARE(zkTesselRegionGetNextStroke(single, 0), -1);
    const Region *all = zkTesselObjectGetRegion(pair);
    QCOMPARE(regionStrokes(all), (std::vector<int>{0, 1, 2}));
    QCOMPARE(zkTesselRegionGetNextStroke(all, 2), -1);
    double x, y, w, h;
    zkTesselRegionGetBoundingBox(all, &x, &y, &w, &h);
    QCOMPARE(x, 0.0);
    QCOMPARE(y, 0.0);
    QCOMPARE(w, 20.0);
    QCOMPARE(h, 20.0);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestCandidates)
#include "tst_candidates.moc"
