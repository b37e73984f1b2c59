#include "tesselfixture.h"

#include <QtTest>

#include <climits>
#include <limits>

// Bad input gets a defined answer: never a crash, a hang or a null result from a run.
class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void emptyDrawing_data();
    void emptyDrawing();
    void degenerateStrokesKeepTheirIndex_data();
    void degenerateStrokesKeepTheirIndex();
    void nullHandles();
    void symbolIdsOutOfRange();
    void grammarCycles_data();
    void grammarCycles();
    void finishedResultsStayUnchanged();
    void clearFromInsideARun();
};

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

Parser *singleTerminalParser(TableRecognizer *recognizer)
{
    Parser *parser = zkCreateTessel();
    const int t = zkTesselCreateSymbol(parser);
    const int e = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, t, &TableRecognizer::callback, recognizer);
    zkTesselAddIdentityRule(parser, e, t);
    zkTesselAddHPairRule(parser, e, e, e, nullptr);
    zkTesselSetStartSymbol(parser, e);
    return parser;
}

}

void TestBadInput::emptyDrawing_data()
{
    QTest::addColumn<int>("startSymbol");
    QTest::addColumn<bool>("withStroke");

    QTest::newRow("no strokes") << 1 << false;
    QTest::newRow("no start symbol") << -1 << true;
    QTest::newRow("start symbol out of range") << 7 << true;
}

void TestBadInput::emptyDrawing()
{
    QFETCH(int, startSymbol);
    QFETCH(bool, withStroke);

    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.1);
    Parser *parser = singleTerminalParser(&recognizer);
    zkTesselSetStartSymbol(parser, startSymbol);
    if (withStroke)
        addStroke(parser, {{0, 0}, {0, 10}});
    const Result *result = zkTesselRun(parser);
    QVERIFY(result);
    QCOMPARE(zkTesselResultGetCandidateCount(result), 0);
    QCOMPARE(zkTesselResultGetCandidate(result, 0), nullptr);
    QCOMPARE(recognizer.totalCalls(), 0);
    zkTesselDestroy(parser);
}

void TestBadInput::degenerateStrokesKeepTheirIndex_data()
{
    QTest::addColumn<QVector<float>>("xs");
    QTest::addColumn<QVector<float>>("ys");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("takesPart");

    QTest::newRow("no points") << QVector<float>{} << QVector<float>{} << 0 << false;
    QTest::newRow("negative count") << QVector<float>{1} << QVector<float>{1} << -3 << false;
    QTest::newRow("one point") << QVector<float>{12} << QVector<float>{5} << 1 << true;
    QTest::newRow("repeated point") << QVector<float>{12, 12, 12} << QVector<float>{5, 5, 5} << 3 << true;
    QTest::newRow("all coordinates NaN") << QVector<float>{kNaN, kNaN} << QVector<float>{kNaN, kNaN} << 2 << false;
    QTest::newRow("some coordinates NaN") << QVector<float>{12, kNaN, 12} << QVector<float>{0, 3, 10} << 3 << true;
    QTest::newRow("infinite coordinates") << QVector<float>{kInf, -kInf} << QVector<float>{0, 1} << 2 << false;
}

// The degenerate stroke sits between two good ones; the indices after it stay in step.
void TestBadInput::degenerateStrokesKeepTheirIndex()
{
    QFETCH(QVector<float>, xs);
    QFETCH(QVector<float>, ys);
    QFETCH(int, count);
    QFETCH(bool, takesPart);

    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.1);
    recognizer.add({1}, "2", 0.1);
    recognizer.add({2}, "3", 0.1);
    Parser *parser = singleTerminalParser(&recognizer);
    addStroke(parser, {{0, 0}, {0, 10}});
    zkTesselAddStroke(parser, xs.isEmpty() ? nullptr : xs.data(), 4, ys.isEmpty() ? nullptr : ys.data(), 4,
                      count);
    addStroke(parser, {{24, 0}, {24, 10}});

    const ParseObject *best = zkTesselResultGetCandidate(zkTesselRun(parser), 0);
    QVERIFY(best);
    const std::vector<int> expected = takesPart ? std::vector<int>{0, 1, 2} : std::vector<int>{0, 2};
    QCOMPARE(regionStrokes(zkTesselObjectGetRegion(best)), expected);
    QCOMPARE(withoutBraces(label(best)), takesPart ? std::string("123") : std::string("13"));
    for (const auto &c : recognizer.calls)
        for (int s : c.first)
            QVERIFY(takesPart || s != 1);
    zkTesselDestroy(parser);
}

void TestBadInput::nullHandles()
{
    const float xs[] = {0, 1};
    zkTesselDestroy(nullptr);
    zkTesselSetDxWeight(nullptr, 1);
    zkTesselSetY0Weight(nullptr, 1);
    zkTesselSetHWeight(nullptr, 1);
    zkTesselClear(nullptr);
    zkTesselAddStroke(nullptr, xs, 4, xs, 4, 2);
    QCOMPARE(zkTesselRun(nullptr), nullptr);
    QCOMPARE(zkTesselCreateSymbol(nullptr), -1);
    zkTesselSetStartSymbol(nullptr, 0);
    zkTesselAddRecognizerRule(nullptr, 0, nullptr, nullptr);
    zkTesselAddMatcherRule(nullptr, 0, "1");
    zkTesselAddIdentityRule(nullptr, 0, 0);
    zkTesselAddFilterRule(nullptr, 0, 0, "a");
    zkTesselAddHPairRule(nullptr, 0, 0, 0, nullptr);
    zkTesselAddIntegralRule(nullptr, 0, 0, 0, 0, 0, nullptr);
    QCOMPARE(zkTesselResultGetCandidateCount(nullptr), 0);
    QCOMPARE(zkTesselResultGetCandidate(nullptr, 0), nullptr);
    zkTesselResultAddCandidate(nullptr, nullptr, "a", 1, 1, 1);
    zkTesselResultAddShrinkableCandidate(nullptr, nullptr, nullptr, 1, 1, 1);
    QCOMPARE(zkTesselObjectGetType(nullptr), nullptr);
    QCOMPARE(zkTesselObjectGetLabel(nullptr), nullptr);
    QCOMPARE(zkTesselObjectGetCost(nullptr), 0.0);
    QCOMPARE(zkTesselObjectGetRelCost(nullptr), 0.0);
    QCOMPARE(zkTesselObjectGetH(nullptr), 0.0);
    QCOMPARE(zkTesselObjectGetRegion(nullptr), nullptr);
    QCOMPARE(zkTesselObjectGetChildCount(nullptr), 0);
    QCOMPARE(zkTesselObjectGetChild(nullptr, 0), nullptr);
    QCOMPARE(zkTesselRegionGetStrokeCount(nullptr), 0);
    QCOMPARE(zkTesselRegionGetFirstStroke(nullptr), -1);
    QCOMPARE(zkTesselRegionGetNextStroke(nullptr, 0), -1);
    double x = 7;
    zkTesselRegionGetBoundingBox(nullptr, &x, &x, &x, &x);
    QCOMPARE(x, 7.0);

    // Null texts and callbacks inside a parser.
    Parser *parser = zkCreateTessel();
    const int s = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, s, nullptr, nullptr);
    zkTesselAddFilterRule(parser, s, s, nullptr);
    zkTesselAddMatcherRule(parser, s, nullptr);
    zkTesselSetStartSymbol(parser, s);
    addStroke(parser, {{0, 0}, {0, 10}});
    QCOMPARE(zkTesselResultGetCandidateCount(zkTesselRun(parser)), 0);
    zkTesselDestroy(parser);
}

void TestBadInput::symbolIdsOutOfRange()
{
    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.1);
    recognizer.add({1}, "2", 0.1);
    Parser *parser = zkCreateTessel();
    const int t = zkTesselCreateSymbol(parser);
    const int e = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, t, &TableRecognizer::callback, &recognizer);
    zkTesselAddIdentityRule(parser, 9, t);
    zkTesselAddIdentityRule(parser, -1, t);
    zkTesselAddIdentityRule(parser, e, 42);
    zkTesselAddHPairRule(parser, e, t, -7, nullptr);
    zkTesselAddIntegralRule(parser, e, 100, t, t, t, nullptr);
    zkTesselAddFilterRule(parser, e, INT_MAX, "1");
    zkTesselAddHPairRule(parser, e, t, t, nullptr);
    zkTesselSetStartSymbol(parser, e);
    addStroke(parser, {{0, 0}, {0, 10}});
    addStroke(parser, {{20, 0}, {20, 10}});

    const Result *result = zkTesselRun(parser);
    QCOMPARE(zkTesselResultGetCandidateCount(result), 1);
    QCOMPARE(label(zkTesselResultGetCandidate(result, 0)), std::string("1{2}"));
    QCOMPARE(zkTesselResultGetCandidate(result, 1), nullptr);
    QCOMPARE(zkTesselResultGetCandidate(result, -1), nullptr);
    QCOMPARE(zkTesselRegionGetNextStroke(zkTesselObjectGetRegion(zkTesselResultGetCandidate(result, 0)), INT_MAX),
             -1);

    // A symbol created after the run has no cell in the regions already parsed.
    const int late = zkTesselCreateSymbol(parser);
    zkTesselAddIdentityRule(parser, late, t);
    zkTesselAddHPairRule(parser, e, late, late, nullptr);
    addStroke(parser, {{40, 0}, {40, 10}});
    QVERIFY(zkTesselRun(parser));
    zkTesselDestroy(parser);
}

void TestBadInput::grammarCycles_data()
{
    QTest::addColumn<QString>("grammar");
    QTest::newRow("identity of itself") << "self";
    QTest::newRow("two identities") << "mutual";
    QTest::newRow("filter back to its child") << "filter";
}

void TestBadInput::grammarCycles()
{
    QFETCH(QString, grammar);

    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.1);
    recognizer.add({1}, "2", 0.1);
    Parser *parser = zkCreateTessel();
    const int a = zkTesselCreateSymbol(parser);
    const int b = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, a, &TableRecognizer::callback, &recognizer);
    if (grammar == "self") {
        zkTesselAddIdentityRule(parser, a, a);
    } else if (grammar == "mutual") {
        zkTesselAddIdentityRule(parser, a, b);
        zkTesselAddIdentityRule(parser, b, a);
    } else {
        zkTesselAddFilterRule(parser, a, b, "1 2 1{2}");
        zkTesselAddIdentityRule(parser, b, a);
    }
    zkTesselAddHPairRule(parser, b, a, a, nullptr);
    zkTesselAddHPairRule(parser, a, b, b, nullptr);
    zkTesselSetStartSymbol(parser, b);
    addStroke(parser, {{0, 0}, {0, 10}});
    addStroke(parser, {{20, 0}, {20, 10}});

    const Result *result = zkTesselRun(parser);
    QVERIFY(zkTesselResultGetCandidateCount(result) >= 1);
    QCOMPARE(withoutBraces(label(zkTesselResultGetCandidate(result, 0))), std::string("12"));
    for (const auto &c : recognizer.calls)
        QCOMPARE(c.second, 1);
    zkTesselDestroy(parser);
}

// Candidates offered to a result outside its parse would delete objects
// that trees of other results point to; they are refused.
void TestBadInput::finishedResultsStayUnchanged()
{
    TableRecognizer recognizer;
    recognizer.add({0}, "1", 0.1);
    recognizer.add({1}, "2", 0.1);
    Parser *parser = singleTerminalParser(&recognizer);
    addStroke(parser, {{0, 0}, {0, 10}});
    addStroke(parser, {{20, 0}, {20, 10}});
    Result *result = zkTesselRun(parser);
    const ParseObject *best = zkTesselResultGetCandidate(result, 0);
    const int count = zkTesselResultGetCandidateCount(result);
    for (int i = 0; i < 30; ++i)
        zkTesselResultAddCandidate(result, zkTesselObjectGetRegion(best), "x", -1.0 - i, 1, 1);
    QCOMPARE(zkTesselResultGetCandidateCount(result), count);
    QCOMPARE(zkTesselResultGetCandidate(result, 0), best);
    QCOMPARE(label(best), std::string("1{2}"));
    zkTesselDestroy(parser);
}

namespace {

struct ClearingRecognizer
{
    Parser *parser;
    int calls = 0;
    bool nestedRunAnswered = false;
};

int clearAndAdd(Result *target, Region *region, void *user)
{
    auto *self = static_cast<ClearingRecognizer *>(user);
    ++self->calls;
    zkTesselClear(self->parser);
    addStroke(self->parser, {{5, 5}, {6, 6}});
    for (int i = 0; i < 64; ++i) {
        const int symbol = zkTesselCreateSymbol(self->parser);
        zkTesselAddIdentityRule(self->parser, symbol, 0);
        zkTesselAddIdentityRule(self->parser, 0, symbol);
    }
    self->nestedRunAnswered = zkTesselRun(self->parser) != nullptr;
    zkTesselResultAddCandidate(target, region, "a", 1, 10, 5);
    return 0;
}

}

// A callback that clears, adds strokes, symbols or rules, or runs again does not
// pull the ground from under the run that called it.
void TestBadInput::clearFromInsideARun()
{
    Parser *parser = zkCreateTessel();
    ClearingRecognizer recognizer{parser};
    const int t = zkTesselCreateSymbol(parser);
    zkTesselAddRecognizerRule(parser, t, &clearAndAdd, &recognizer);
    zkTesselSetStartSymbol(parser, t);
    addStroke(parser, {{0, 0}, {0, 10}});
    const Result *result = zkTesselRun(parser);
    QCOMPARE(zkTesselResultGetCandidateCount(result), 1);
    QCOMPARE(zkTesselRegionGetStrokeCount(zkTesselObjectGetRegion(zkTesselResultGetCandidate(result, 0))), 1);
    QCOMPARE(recognizer.calls, 1);
    QVERIFY(recognizer.nestedRunAnswered);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
