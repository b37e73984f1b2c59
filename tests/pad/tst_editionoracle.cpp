#include "oraclefixtures.h"
#include "pad/editionoracle.h"
#include "model/resultbuilding.h"
#include "pad/editrequest.h"
#include "recognition/enginebinding.h"

#include <QtTest>

using namespace oraclefixtures;

namespace {

using Scores = QList<float>; // erase A, erase B, insert, overwrite, update
using ScoreTable = QMap<QString, Scores>;

const QString backspace = QString::fromUcs4(U"\U000F0002");
const QString newline = QString::fromUcs4(U"\U000F0004");
const QString rootSign = QStringLiteral("\u221A");

// An oracle whose scores are given by the labels of the targets: `scores`
// before the label rules, `finals` in place of its own decision. It notes
// the gesture's label and the scores the label rules left.
class ScriptedOracle : public EditionOracle
{
public:
    ScriptedOracle(bool holdForMoreWriting, WritingDirection direction, bool strict)
        : EditionOracle(2, 1500, holdForMoreWriting, direction)
    {
        setStrictTargets(strict);
    }

    ScoreTable scores;
    ScoreTable finals;
    ScoreTable afterLabelRules;
    QString label;
    bool decided = false;

protected:
    void computeGestureScores() override { apply(scores); }
    void decideEdit(float) override
    {
        decided = true;
        label = currentRequest()->label();
        for (const GestureCandidate *c : currentRequest()->targets())
            afterLabelRules[c->info.label()] = Scores(c->scores.begin(), c->scores.end());
        apply(finals);
    }

private:
    void apply(const ScoreTable &table)
    {
        for (GestureCandidate *c : currentRequest()->targets()) {
            const Scores s = table.value(c->info.label());
            for (int k = 0; k < s.size(); ++k)
                c->scores[size_t(k)] = s.at(k);
        }
    }
};

// Three pieces on a line: "a" at 0, "b" at 150 and "c" at 300, 100 wide.
QList<InkRangeInfo> line3()
{
    return {piece(QRectF(0, 0, 100, 60), "a"), piece(QRectF(150, 0, 100, 60), "b"),
            piece(QRectF(300, 0, 100, 60), "c")};
}

Stroke zigzag(double x0, double x1, double y0, double y1, int legs)
{
    QList<QPointF> points;
    for (int i = 0; i <= legs; ++i)
        points << QPointF(x0 + (x1 - x0) * i / legs, i % 2 ? y1 : y0);
    return pen(points);
}

Stroke strike() { return line({140, 30}, {260, 30}, 12); }

InkRange unite(const QList<InkRangeInfo> &infos, const QStringList &labels)
{
    InkRange ink;
    for (const InkRangeInfo &info : infos) {
        if (labels.contains(info.label()))
            ink = ink.united(info.ink());
    }
    return ink;
}

} // namespace

Q_DECLARE_METATYPE(Scores)
Q_DECLARE_METATYPE(ScoreTable)

class TestEditionOracle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(startEngine()); }
    void cleanupTestCase() { stopEngine(); }
    void labelRules_data();
    void labelRules();
    void labelPatterns_data();
    void labelPatterns();
    void winner_data();
    void winner();
    void erasedInk_data();
    void erasedInk();
    void quickGestures_data();
    void quickGestures();
    void shortcuts_data();
    void shortcuts();
    void resumedOnceAfterADelay();
    void newerRequestSupersedesADelayedOne();
};

void TestEditionOracle::labelRules_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Scores>("factors"); // erase A, erase B, insert, overwrite
    // "b" is the one near target and the left neighbour, "c" the right one.
    QTest::newRow("strike") << strike() << "-" << Scores{1.0f, 0.7f, 0.1f, 0.7f};
    QTest::newRow("backspace") << line({260, 30}, {140, 30}, 12) << backspace
                               << Scores{1.0f, 0.7f, 0.1f, 0.7f};
    QTest::newRow("scribble") << zigzag(160, 240, 5, 55, 8) << "W"
                              << Scores{0.5f, 1.0f, 0.1f, 1.0f};
    QTest::newRow("insert mark") << line({200, -10}, {200, 70}, 12) << "|"
                                 << Scores{0.5f, 0.7f, 1.0f, 0.7f};
}

// The label factors, applied in double precision to single-precision scores.
void TestEditionOracle::labelRules()
{
    QFETCH(Stroke, stroke);
    QFETCH(QString, label);
    QFETCH(Scores, factors);
    ScriptedOracle oracle(false, WritingDirection::LeftToRight, false);
    const Scores start{0.3f, 0.3f, 0.3f, 0.3f, 0.3f};
    oracle.scores = {{"a", start}, {"b", start}, {"c", start}};
    AnswerLog log(&oracle);
    oracle.request({stroke}, line3(), 1);
    QVERIFY(log.wait());
    QCOMPARE(oracle.label, label);
    const auto scaled = [](float f) { return float(double(0.3f) * double(f)); };
    QCOMPARE(oracle.afterLabelRules["b"],
             Scores({scaled(factors[0]), scaled(factors[1]), scaled(factors[2]),
                     scaled(factors[3]), 0.3f}));
    // Far targets keep their scores but for the neighbour's insert score.
    QCOMPARE(oracle.afterLabelRules["c"], Scores({0.3f, 0.3f, scaled(factors[2]), 0.3f, 0.3f}));
    QCOMPARE(oracle.afterLabelRules["a"], start);
}

void TestEditionOracle::labelPatterns_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<Scores>("factors"); // erase A, erase B, insert, overwrite
    const QString space = QString::fromUcs4(U"\U000F0003");
    QTest::newRow("hyphen-minus") << "-" << Scores{1.0f, 0.7f, 0.1f, 0.7f};
    QTest::newRow("hyphen inside a word") << "a-b" << Scores{1.0f, 0.7f, 0.1f, 1.0f};
    QTest::newRow("space key") << space << Scores{1.0f, 0.7f, 0.1f, 0.7f};
    QTest::newRow("m") << "m" << Scores{0.5f, 1.0f, 0.1f, 1.0f};
    QTest::newRow("8") << "8" << Scores{0.5f, 1.0f, 0.1f, 1.0f};
    QTest::newRow("@") << "@" << Scores{0.5f, 1.0f, 0.1f, 0.7f};
    QTest::newRow("a") << "a" << Scores{0.5f, 0.7f, 0.1f, 1.0f};
    QTest::newRow("l") << "l" << Scores{0.5f, 0.7f, 1.0f, 1.0f};
    QTest::newRow("backslash") << "\\" << Scores{0.5f, 0.7f, 1.0f, 0.7f};
    QTest::newRow("two insert marks") << "ll" << Scores{0.5f, 0.7f, 0.1f, 1.0f};
    QTest::newRow("nothing read") << "" << Scores{0.5f, 0.7f, 0.1f, 0.7f};
}

// The label rules on labels the gesture recognizer does not draw from
// these strokes: its answer is replaced by one of the test's.
void TestEditionOracle::labelPatterns()
{
    QFETCH(QString, label);
    QFETCH(Scores, factors);
    ScriptedOracle oracle(false, WritingDirection::LeftToRight, false);
    const Scores start{0.3f, 0.3f, 0.3f, 0.3f, 0.3f};
    oracle.scores = {{"a", start}, {"b", start}, {"c", start}};
    AnswerLog log(&oracle);
    QSignalSpy asked(&oracle,
                     qOverload<RecognitionResult, QRectF, bool>(&EditionOracle::recoRequest));
    const Stroke stroke = strike();
    oracle.request({stroke}, line3(), 1);
    QVERIFY(asked.wait(10000));
    oracle.gestureRecoEvent(resultFromStroke(stroke, label, 2, 0));
    QVERIFY(log.wait());
    QTest::qWait(20);
    QCOMPARE(log.kinds.size(), 1);
    QCOMPARE(oracle.label, label);
    const auto scaled = [](float f) { return float(double(0.3f) * double(f)); };
    QCOMPARE(oracle.afterLabelRules["b"],
             Scores({scaled(factors[0]), scaled(factors[1]), scaled(factors[2]),
                     scaled(factors[3]), 0.3f}));
}

void TestEditionOracle::winner_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("withRight");
    QTest::addColumn<ScoreTable>("finals");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("targets"); // the pieces answered, or the anchor of an insert
    const Stroke down = line({200, -10}, {200, 70}, 12);
    const Stroke up = line({200, 70}, {200, -10}, 12);
    QTest::newRow("below 0.2: writing")
        << strike() << 1 << true << ScoreTable{{"b", {0.19f, 0, 0, 0, 0}}} << "append"
        << QStringList();
    QTest::newRow("0.2 passes") << strike() << 1 << true << ScoreTable{{"b", {0.2f, 0, 0, 0, 0}}}
                                << "erase" << QStringList{"b"};
    QTest::newRow("erase B before insert") << down << 1 << true
                                           << ScoreTable{{"b", {0, 0.5f, 0.5f, 0, 0}}} << "erase"
                                           << QStringList{"b"};
    QTest::newRow("insert before overwrite") << down << 1 << true
                                             << ScoreTable{{"b", {0, 0, 0.5f, 0.5f, 0}}} << "insert"
                                             << QStringList{"c"};
    QTest::newRow("overwrite before update")
        << strike() << 1 << true << ScoreTable{{"b", {0, 0, 0, 0.5f, 0.5f}}} << "overwrite"
        << QStringList{"b"};
    QTest::newRow("the higher score of a later kind")
        << strike() << 1 << true << ScoreTable{{"b", {0.3f, 0, 0, 0, 0.6f}}} << "update"
        << QStringList{"b"};
    QTest::newRow("a far target can win") << strike() << 1 << true
                                          << ScoreTable{{"a", {0, 0, 0, 0.5f, 0}}} << "overwrite"
                                          << QStringList{"a"};
    QTest::newRow("overwrite takes every target at 0.2")
        << strike() << 1 << true
        << ScoreTable{{"b", {0, 0, 0, 0.5f, 0}}, {"c", {0, 0, 0, 0.2f, 0}},
                 {"a", {0, 0, 0, 0.1f, 0}}}
        << "overwrite" << QStringList{"b", "c"};
    QTest::newRow("insert drawn upward") << up << 1 << true
                                         << ScoreTable{{"b", {0, 0, 0.5f, 0, 0}}}
                                         << "insert upward" << QStringList{"c"};
    QTest::newRow("right to left: the left neighbour") << down << 2 << true
                                                       << ScoreTable{{"b", {0, 0, 0.5f, 0, 0}}}
                                                       << "insert" << QStringList{"b"};
    QTest::newRow("no piece follows: writing") << down << 1 << false
                                               << ScoreTable{{"b", {0, 0, 0.5f, 0, 0}}} << "append"
                                               << QStringList();
}

void TestEditionOracle::winner()
{
    QFETCH(Stroke, stroke);
    QFETCH(int, direction);
    QFETCH(bool, withRight);
    QFETCH(ScoreTable, finals);
    QFETCH(QString, kind);
    QFETCH(QStringList, targets);
    ScriptedOracle oracle(false, WritingDirection(direction), false);
    oracle.finals = finals;
    QList<InkRangeInfo> pieces = line3();
    if (!withRight)
        pieces.removeLast();
    AnswerLog log(&oracle);
    oracle.request({stroke}, pieces, 1);
    QVERIFY(log.wait());
    QTest::qWait(10);
    QCOMPARE(log.kinds, QStringList{kind});
    const QVariant value = log.values.first();
    if (kind == "append")
        QCOMPARE(value, QVariant(1));
    else if (kind.startsWith("insert"))
        QCOMPARE(value.value<InkLocation>(), unite(pieces, targets).firstLocation());
    else
        QCOMPARE(value.value<InkRange>(), unite(pieces, targets));
}

void TestEditionOracle::erasedInk_data()
{
    QTest::addColumn<bool>("strict");
    QTest::addColumn<QString>("scored");   // label of the piece at (150, 0, 100, 60)
    QTest::addColumn<QStringList>("erased");
    // Beside the scored piece: "x" inside its box, "d" at (260, 0, 30, 60)
    // under the strike; neither scores.
    QTest::newRow("spanned pieces go with the scored one") << false << "b"
                                                           << QStringList{"b", "x", "d"};
    QTest::newRow("strict: only scored pieces, and what the box holds")
        << true << "b" << QStringList{"b", "x"};
    QTest::newRow("strict: a root sign does not widen the box")
        << true << rootSign << QStringList{rootSign};
}

void TestEditionOracle::erasedInk()
{
    QFETCH(bool, strict);
    QFETCH(QString, scored);
    QFETCH(QStringList, erased);
    const QList<InkRangeInfo> pieces{piece(QRectF(150, 0, 100, 60), scored),
                                     piece(QRectF(170, 15, 60, 30), "x"),
                                     piece(QRectF(260, 0, 30, 60), "d")};
    ScriptedOracle oracle(false, WritingDirection::LeftToRight, strict);
    oracle.finals = {{scored, {0.5f, 0, 0, 0, 0}}};
    AnswerLog log(&oracle);
    oracle.request({line({140, 30}, {300, 30}, 16)}, pieces, 1);
    QVERIFY(log.wait());
    QCOMPARE(log.kinds, QStringList{"erase"});
    QCOMPARE(log.values.first().value<InkRange>(), unite(pieces, erased));
}

void TestEditionOracle::quickGestures_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<int>("gestureSet");
    QTest::addColumn<bool>("afterRecentInk"); // on a pad that holds for more writing
    QTest::addColumn<QList<int>>("delays");
    QTest::addColumn<QString>("kind");
    const Stroke wideReturn = pen({{300, 0}, {300, 40}, {300, 80}, {200, 80}, {100, 80}});
    const Stroke narrowReturn = pen({{250, 0}, {250, 40}, {250, 80}, {200, 80}, {150, 80}});
    const Stroke wideBackspace = line({300, 40}, {100, 40}, 12);
    QTest::newRow("return wider than 150") << wideReturn << 1 << false << QList<int>{650}
                                           << "gesture";
    QTest::newRow("return 150 wide is writing") << narrowReturn << 1 << false << QList<int>{}
                                                << "append";
    QTest::newRow("a key before the hold for more writing")
        << wideReturn << 1 << true << QList<int>{650} << "gesture";
    QTest::newRow("held, 150 wide") << narrowReturn << 1 << true << QList<int>{1500} << "append";
    QTest::newRow("backspace with the key set") << wideBackspace << 2 << false
                                                << QList<int>{650} << "gesture";
    QTest::newRow("backspace without the key set") << wideBackspace << 1 << false
                                                   << QList<int>{} << "append";
    QTest::newRow("no gestures at all") << wideReturn << 0 << false << QList<int>{}
                                        << "append";
}

void TestEditionOracle::quickGestures()
{
    QFETCH(Stroke, stroke);
    QFETCH(int, gestureSet);
    QFETCH(bool, afterRecentInk);
    QFETCH(QList<int>, delays);
    QFETCH(QString, kind);
    ScriptedOracle oracle(afterRecentInk, WritingDirection::LeftToRight, false);
    AnswerLog log(&oracle);
    QList<InkRangeInfo> pieces;
    if (afterRecentInk)
        pieces << piece(QRectF(0, 0, 100, 60), "#", 200);
    oracle.request({stroke}, pieces, gestureSet);
    QVERIFY(log.wait());
    QTest::qWait(10);
    QVERIFY2(oracle.label == newline || oracle.label == backspace, qPrintable(oracle.label));
    QCOMPARE(log.delays, delays);
    QCOMPARE(log.kinds, QStringList{kind});
    if (kind == "gesture")
        QCOMPARE(log.values.first().toString(), oracle.label);
}

void TestEditionOracle::shortcuts_data()
{
    QTest::addColumn<bool>("hold");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QList<Stroke>>("strokes");
    QTest::addColumn<QList<InkRangeInfo>>("pieces");
    QTest::addColumn<QList<int>>("delays");
    QTest::addColumn<bool>("decided"); // whether the answer came from the decision
    QTest::addColumn<int>("count");
    const Stroke after = line({140, 20}, {240, 50}, 6);
    const Stroke before = line({-140, 20}, {-40, 50}, 6);
    const InkRangeInfo unrecognised = piece(QRectF(0, 0, 100, 60), "#", 200);
    const InkRangeInfo unrecognisedOld = piece(QRectF(0, 0, 100, 60), "#", 1600);
    const InkRangeInfo word = piece(QRectF(0, 0, 100, 60), "a");
    const QList<Stroke> three{line({0, 0}, {30, 40}), line({50, 0}, {80, 40}),
                              line({100, 0}, {130, 40})};
    QTest::newRow("first stroke on an empty pad")
        << true << 1 << QList<Stroke>{after} << QList<InkRangeInfo>{} << QList<int>{} << false << 1;
    QTest::newRow("after ink written a moment ago: wait")
        << true << 1 << QList<Stroke>{after} << QList<InkRangeInfo>{unrecognised}
        << QList<int>{1500} << true << 1;
    QTest::newRow("after ink written 1.6 s ago") << true << 1 << QList<Stroke>{after}
                                                 << QList<InkRangeInfo>{unrecognisedOld}
                                                 << QList<int>{} << false << 1;
    QTest::newRow("after recognised ink") << true << 1 << QList<Stroke>{after}
                                          << QList<InkRangeInfo>{word} << QList<int>{} << false
                                          << 1;
    QTest::newRow("before recognised ink: decided") << true << 1 << QList<Stroke>{before}
                                                    << QList<InkRangeInfo>{word} << QList<int>{}
                                                    << true << 1;
    QTest::newRow("three strokes after all ink") << true << 1 << three << QList<InkRangeInfo>{}
                                                 << QList<int>{} << false << 3;
    QTest::newRow("three strokes, no shortcuts: the first two are writing")
        << false << 1 << three << QList<InkRangeInfo>{} << QList<int>{} << false << 2;
    QTest::newRow("right to left: before recognised ink")
        << true << 2 << QList<Stroke>{before} << QList<InkRangeInfo>{word} << QList<int>{}
        << false << 1;
    QTest::newRow("right to left: after recognised ink: decided")
        << true << 2 << QList<Stroke>{after} << QList<InkRangeInfo>{word} << QList<int>{} << true
        << 1;
    QTest::newRow("no shortcuts") << false << 1 << QList<Stroke>{after} << QList<InkRangeInfo>{}
                                  << QList<int>{} << true << 1;
}

void TestEditionOracle::shortcuts()
{
    QFETCH(bool, hold);
    QFETCH(int, direction);
    QFETCH(QList<Stroke>, strokes);
    QFETCH(QList<InkRangeInfo>, pieces);
    QFETCH(QList<int>, delays);
    QFETCH(bool, decided);
    QFETCH(int, count);
    ScriptedOracle oracle(hold, WritingDirection(direction), false);
    AnswerLog log(&oracle);
    oracle.request(strokes, pieces, 1);
    QVERIFY(log.wait());
    QTest::qWait(10);
    QCOMPARE(log.delays, delays);
    QCOMPARE(log.kinds, QStringList{"append"});
    QCOMPARE(log.values.first(), QVariant(count));
    QCOMPARE(oracle.decided, decided);
}

// A resume answers only a request told to wait, and only once.
void TestEditionOracle::resumedOnceAfterADelay()
{
    ScriptedOracle oracle(true, WritingDirection::LeftToRight, false);
    AnswerLog log(&oracle, false);
    oracle.request({line({140, 20}, {240, 50}, 6)}, {piece(QRectF(0, 0, 100, 60), "#", 200)}, 1);
    QVERIFY(QTest::qWaitFor([&] { return !log.delays.isEmpty(); }, 10000));
    QVERIFY(log.kinds.isEmpty());
    oracle.resume();
    oracle.resume();
    QTest::qWait(10);
    QCOMPARE(log.kinds, QStringList{"append"});

    oracle.request({line({140, 20}, {240, 50}, 6)}, {}, 1);
    QVERIFY(log.wait(2));
    oracle.resume();
    QTest::qWait(10);
    QCOMPARE(log.kinds, QStringList({"append", "append"}));
    QCOMPARE(log.delays.size(), 1);
}

void TestEditionOracle::newerRequestSupersedesADelayedOne()
{
    ScriptedOracle oracle(true, WritingDirection::LeftToRight, false);
    AnswerLog log(&oracle, false);
    const InkRangeInfo recent = piece(QRectF(0, 0, 100, 60), "#", 200);
    oracle.request({line({140, 20}, {240, 50}, 6)}, {recent}, 1);
    oracle.request({line({300, 20}, {400, 50}, 6)}, {}, 1);
    QVERIFY(log.wait());
    QTest::qWait(10);
    QCOMPARE(log.delays, QList<int>{1500});
    QCOMPARE(log.kinds, QStringList{"append"});
    // The late resume of the first request finds nothing to decide.
    oracle.resume();
    QTest::qWait(10);
    QCOMPARE(log.kinds, QStringList{"append"});
    QVERIFY(!oracle.decided);
}

QTEST_MAIN(TestEditionOracle)
#include "tst_editionoracle.moc"
