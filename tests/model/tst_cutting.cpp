#include "model/cutting.h"
#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of five points starting at x.
Stroke pen(double x, int n = 5)
{
    return zigzag(x, n, 1);
}

// Words of characters, each character on a five-point stroke of its own;
// strokes collects the strokes in writing order.
RecognitionResult textOf(const QStringList &words, QList<Stroke> *strokes = nullptr)
{
    QList<Segment> segments;
    double x = 0;
    for (const QString &w : words) {
        QList<Segment> characters;
        for (const QChar c : w) {
            const Stroke s = pen(x);
            x += 10;
            if (strokes)
                *strokes << s;
            characters << leaf(c, InkRange::fromStroke(s));
        }
        segments << branch(characters);
    }
    return resultOfWords(segments);
}

// The children of the first word, 0 without words.
int characterSlots(const RecognitionResult &r)
{
    const QList<Segment> words = r.root().selectedCandidate().children();
    return words.isEmpty() ? 0 : words.first().selectedCandidate().children().size();
}

// Cut locations as (stroke index, point); a negative index is a stroke
// outside the result.
using Cuts = QList<QPair<int, int>>;

QString textOfResult(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

} // namespace

class TestCutting : public QObject
{
    Q_OBJECT

private slots:
    void cutInsideWord_data();
    void cutInsideWord();
    void cutOutsideInk_data();
    void cutOutsideInk();
    void absentOutputs();
    void emptyCandidatesAreLeftOut();
    void layoutAndTypedInkFollowTheParts();
    void splitAtCuts_data();
    void splitAtCuts();
    void splitAtInkRange();
    void detachGivesStrokesOfTheirOwn();
    void detachKeepsEveryInterval();
    void argumentsUnchanged();
};

void TestCutting::cutInsideWord_data()
{
    QTest::addColumn<int>("stroke");
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("isStart");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beforePoints");
    QTest::addColumn<int>("afterPoints");
    QTest::addColumn<int>("beforeChildren");
    QTest::addColumn<int>("afterChildren");

    // The character cut in two leaves its ink without a candidate on the
    // side it does not go to.
    QTest::newRow("most of c after") << 2 << 1 << true << "ab" << "cd" << 12 << 9 << 3 << 2;
    QTest::newRow("most of c before") << 2 << 3 << true << "abc" << "d" << 14 << 7 << 3 << 2;
    QTest::newRow("c halved") << 2 << 2 << true << "abc" << "d" << 13 << 8 << 3 << 2;
    QTest::newRow("first point of c") << 2 << 0 << true << "ab" << "cd" << 10 << 10 << 2 << 2;
    QTest::newRow("last point of b") << 1 << 4 << false << "ab" << "cd" << 10 << 10 << 2 << 2;
    QTest::newRow("first point of a") << 0 << 0 << true << "" << "abcd" << 0 << 20 << 0 << 4;
    QTest::newRow("last point of d") << 3 << 4 << false << "abcd" << "" << 20 << 0 << 4 << 0;
}

void TestCutting::cutInsideWord()
{
    QFETCH(int, stroke);
    QFETCH(int, point);
    QFETCH(bool, isStart);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, beforePoints);
    QFETCH(int, afterPoints);
    QFETCH(int, beforeChildren);
    QFETCH(int, afterChildren);

    QList<Stroke> strokes;
    const RecognitionResult r = textOf({"abcd"}, &strokes);
    RecognitionResult b;
    RecognitionResult a;
    QVERIFY(cutResult(r, InkLocation{strokes[stroke], point, isStart}, &b, &a));
    QCOMPARE(textOfResult(b), before);
    QCOMPARE(textOfResult(a), after);
    QCOMPARE(b.root().ink().pointCount(), beforePoints);
    QCOMPARE(a.root().ink().pointCount(), afterPoints);
    QCOMPARE(a.root().candidates().isEmpty(), after.isEmpty());
    QCOMPARE(characterSlots(b), beforeChildren);
    QCOMPARE(characterSlots(a), afterChildren);
}

void TestCutting::cutOutsideInk_data()
{
    QTest::addColumn<bool>("foreignStroke");
    QTest::addColumn<int>("point");
    QTest::newRow("foreign stroke") << true << 2;
    QTest::newRow("point beyond stroke") << false << 9;
    QTest::newRow("no point") << false << -1;
}

void TestCutting::cutOutsideInk()
{
    QFETCH(bool, foreignStroke);
    QFETCH(int, point);
    QList<Stroke> strokes;
    RecognitionResult r = textOf({"ab", "cd"}, &strokes);
    r.layout().linePositions = {5};
    r.storeInkOfType(1, r.root().ink());
    const Stroke stroke = foreignStroke ? pen(100) : strokes[1];

    RecognitionResult b;
    RecognitionResult a;
    QVERIFY(!cutResult(r, InkLocation{stroke, point, true}, &b, &a));
    QCOMPARE(dump(b), dump(r));
    QVERIFY(a.root().candidates().isEmpty());
    QVERIFY(a.root().ink().isEmpty());
    QVERIFY(a.inkTypes().isEmpty());
    QVERIFY(a.layout() == ResultLayout());
}

void TestCutting::absentOutputs()
{
    QList<Stroke> strokes;
    const RecognitionResult r = textOf({"abcd"}, &strokes);
    const InkLocation cut{strokes[2], 1, true};
    RecognitionResult a;
    QVERIFY(cutResult(r, cut, nullptr, &a));
    QCOMPARE(textOfResult(a), QStringLiteral("cd"));
    RecognitionResult b;
    QVERIFY(cutResult(r, cut, &b, nullptr));
    QCOMPARE(textOfResult(b), QStringLiteral("ab"));
    QVERIFY(cutResult(r, cut, nullptr, nullptr));
}

void TestCutting::emptyCandidatesAreLeftOut()
{
    // A word with its characters and a whole-word alternative of its own.
    QList<Stroke> strokes;
    const RecognitionResult base = textOf({"abcd"}, &strokes);
    Segment word = base.root().selectedCandidate().children()[0];
    ResultNode whole;
    whole.setLabel(QStringLiteral("abed"));
    word.appendCandidate(whole);

    for (int selected : {0, 1}) {
        word.setSelectedCandidate(selected);
        RecognitionResult r;
        r.setRoot(branch({word}));
        RecognitionResult b;
        RecognitionResult a;
        QVERIFY(cutResult(r, InkLocation{strokes[2], 1, true}, &b, &a));
        const Segment wordBefore = b.root().selectedCandidate().children()[0];
        const Segment wordAfter = a.root().selectedCandidate().children()[0];
        QCOMPARE(wordBefore.candidates().size(), 2);
        QCOMPARE(wordAfter.candidates().size(), 1);
        QCOMPARE(wordBefore.selectedIndex(), selected);
        QCOMPARE(wordAfter.selectedIndex(), selected == 0 ? 0 : -1);
        QCOMPARE(wordBefore.candidates()[1].label(), QStringLiteral("abed"));
    }
}

void TestCutting::layoutAndTypedInkFollowTheParts()
{
    QList<Stroke> strokes;
    RecognitionResult r = textOf({"ab", "\n", "cd"}, &strokes);
    r.layout() = {3, {10, 20, 30}, 1, 2};
    r.setTransform(QTransform::fromTranslate(4, 4));
    const QList<Segment> characters = r.root().segmentsOfType(ResultNode::Character);
    r.storeInkOfType(1, characters[0].ink().united(characters[4].ink()));
    r.storeInkOfType(2, characters[0].ink());

    RecognitionResult b;
    RecognitionResult a;
    QVERIFY(cutResult(r, InkLocation{strokes[3], 0, true}, &b, &a));
    QCOMPARE(textOfResult(b), QStringLiteral("ab\n"));
    QCOMPARE(textOfResult(a), QStringLiteral("cd"));
    const ResultLayout first{3, {10}, 1, 2};
    const ResultLayout last{3, {30}, 1, 2};
    QVERIFY(b.layout() == first);
    QVERIFY(a.layout() == last);
    QCOMPARE(b.transform(), r.transform());
    QCOMPARE(a.transform(), r.transform());
    QVERIFY(b.cachedInk(1) == characters[0].ink());
    QVERIFY(a.cachedInk(1) == characters[4].ink());
    QVERIFY(b.cachedInk(2) == characters[0].ink());
    QCOMPARE(a.inkTypes().size(), 1);
}

void TestCutting::splitAtCuts_data()
{
    QTest::addColumn<Cuts>("cuts");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("no cut") << Cuts{} << QStringList{"ab cd"};
    QTest::newRow("one cut") << Cuts{{3, 0}} << QStringList{"ab ", "cd"};
    QTest::newRow("two cuts") << Cuts{{1, 0}, {4, 0}}
                              << QStringList{"a", "b c", "d"};
    QTest::newRow("cut outside") << Cuts{{-1, 0}, {1, 0}}
                                 << QStringList{"ab cd", "", ""};
    QTest::newRow("cuts out of order") << Cuts{{4, 0}, {1, 0}}
                                       << QStringList{"ab c", "d", ""};
}

void TestCutting::splitAtCuts()
{
    QFETCH(Cuts, cuts);
    QFETCH(QStringList, pieces);
    QList<Stroke> strokes;
    const RecognitionResult r = textOf({"ab", " ", "cd"}, &strokes);
    QList<InkLocation> locations;
    for (const auto &cut : cuts)
        locations << InkLocation{cut.first < 0 ? pen(500) : strokes[cut.first], cut.second, true};

    const QList<RecognitionResult> split = splitResultAtCuts(r, locations);
    QStringList texts;
    for (const RecognitionResult &piece : split)
        texts << textOfResult(piece);
    QCOMPARE(texts, pieces);
    if (cuts.isEmpty())
        QCOMPARE(dump(split.first()), dump(r));
}

void TestCutting::splitAtInkRange()
{
    QList<Stroke> strokes;
    const RecognitionResult r = textOf({"abcd"}, &strokes);
    const InkRange inner = InkRange::fromStroke(strokes[1]).united(InkRange::fromStroke(strokes[2]));
    const QList<RecognitionResult> pieces = splitResult(r, inner);
    QCOMPARE(pieces.size(), 3);
    QCOMPARE(textOfResult(pieces[0]), QStringLiteral("a"));
    QCOMPARE(textOfResult(pieces[1]), QStringLiteral("bc"));
    QCOMPARE(textOfResult(pieces[2]), QStringLiteral("d"));
    QVERIFY(pieces[1].root().ink() == inner);
}

void TestCutting::detachGivesStrokesOfTheirOwn()
{
    QList<Stroke> strokes;
    RecognitionResult r = textOf({"abcd"}, &strokes);
    r.storeInkOfType(1, r.root().ink());
    r.layout() = {2, {8}, 1, 0};
    RecognitionResult before;
    cutResult(r, InkLocation{strokes[2], 3, true}, &before, nullptr);

    const RecognitionResult detached = detachResultInk(before);
    QCOMPARE(textOfResult(detached), QStringLiteral("abc"));
    QVERIFY(detached.layout() == before.layout());
    QCOMPARE(detached.inkTypes().size(), 1);
    QVERIFY(detached.cachedInk(1) == detached.root().ink());

    const QList<StrokeRange> ranges = allStrokeRanges(detached.root());
    QVERIFY(!ranges.isEmpty());
    QList<Stroke> seen;
    for (const StrokeRange &range : ranges) {
        const Stroke s = range.stroke();
        QVERIFY(range.intervals().last().last < s.path().elementCount());
        if (!seen.contains(s)) {
            seen << s;
            QCOMPARE(range.intervals().first().first, 0);
        }
    }
    const Stroke cutDown = detached.root().segmentsOfType(ResultNode::Character)[2]
                               .ink().pieces()[0].stroke();
    QCOMPARE(cutDown.path().elementCount(), 4);
    QCOMPARE(cutDown.stamp(), strokes[2].stamp());
    QCOMPARE(detached.root().ink().pointCount(), before.root().ink().pointCount());
}

void TestCutting::detachKeepsEveryInterval()
{
    // Two characters on one stroke with points unused between them, the
    // later-written part met first.
    const Stroke stroke = pen(0, 12);
    const RecognitionResult r = resultFromSegment(
        branch({leaf(QStringLiteral("x"), inkOf(stroke, 7, 9)),
                leaf(QStringLiteral("y"), inkOf(stroke, 2, 4))}));

    const RecognitionResult detached = detachResultInk(r);
    const QList<Segment> characters = detached.root().segmentsOfType(ResultNode::Character);
    QCOMPARE(characters[0].ink().pieces()[0].intervals(), (IntervalList{{5, 7}}));
    QCOMPARE(characters[1].ink().pieces()[0].intervals(), (IntervalList{{0, 2}}));
    QCOMPARE(detached.root().ink().pieces()[0].intervals(), (IntervalList{{0, 2}, {5, 7}}));
    const Stroke own = characters[0].ink().pieces()[0].stroke();
    QCOMPARE(own.path().elementCount(), 8);
    QCOMPARE(own.path().elementAt(5), stroke.path().elementAt(7));
    QCOMPARE(characters[1].ink().pieces()[0].stroke(), own);
}

void TestCutting::argumentsUnchanged()
{
    QList<Stroke> strokes;
    RecognitionResult r = textOf({"ab", " ", "cd"}, &strokes);
    r.storeInkOfType(2, r.root().ink());
    r.layout().linePositions = {1, 2};
    const QString before = dump(r);
    RecognitionResult b;
    RecognitionResult a;
    cutResult(r, InkLocation{strokes[1], 2, false}, &b, &a);
    splitResultAtCuts(r, {InkLocation{strokes[0], 1, true}, InkLocation{strokes[3], 3, false}});
    splitResult(r, InkRange::fromStroke(strokes[2]));
    detachResultInk(r);
    QCOMPARE(dump(r), before);
}

QTEST_GUILESS_MAIN(TestCutting)
#include "tst_cutting.moc"
