#include "model/resultbuilding.h"
#include "model/segmentvisitors.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of n points starting at x.
Stroke pen(double x, int n)
{
    return zigzag(x, n, 1);
}

// A word whose characters were written in one stroke, three points each.
Segment wordOnOneStroke(const QString &label, double x)
{
    const Stroke stroke = pen(x, 3 * label.size());
    QList<Segment> characters;
    for (int i = 0; i < label.size(); ++i)
        characters << leaf(label.mid(i, 1), inkOf(stroke, 3 * i, 3 * i + 2));
    return branch(characters);
}

QList<Segment> childrenOf(const Segment &s)
{
    return s.selectedCandidate().children();
}

Stroke onlyStroke(const Segment &s)
{
    const QList<StrokeRange> pieces = s.ink().pieces();
    if (pieces.size() != 1)
        qFatal("expected one stroke, found %d", int(pieces.size()));
    return pieces.first().stroke();
}

const QList<QRectF> threeBoxes = {QRectF(0, 0, 10, 20), QRectF(12, 0, 8, 20),
                                  QRectF(22, -5, 6, 25)};

} // namespace

class TestSegmentVisitors : public QObject
{
    Q_OBJECT

private slots:
    void boxesFromList();
    void boxValues_data();
    void boxValues();
    void missingRectsFallBackToFittedBoxes_data();
    void missingRectsFallBackToFittedBoxes();
    void negativeIndexFallsBack();
    void indexRestartsInEveryWord();
    void innerSegmentHoldsSelectedCandidateAndBoxInk();
    void fittedBoxes();
    void calculatorSymbolIsLeafWhenFitted();
    void argumentsUnchanged();
};

void TestSegmentVisitors::boxesFromList()
{
    const Segment word = wordOnOneStroke(QStringLiteral("abc"), 0);
    const StrokeStamp written = word.ink().latestStamp();
    LeafBoxes boxes{threeBoxes, {}};

    const Segment visited = visitSegments(word, 0, replaceLeafInkWithBoxes, &boxes);
    const QList<Segment> characters = childrenOf(visited);
    QCOMPARE(characters.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Stroke box = onlyStroke(characters[i]);
        QCOMPARE(box.kind(), int(Stroke::Box));
        QCOMPARE(box.boundingRect(), threeBoxes[i]);
        QCOMPARE(box.stamp().sequence, written.sequence + i);
        QCOMPARE(box.stamp().time, written.time);
        QCOMPARE(characters[i].selectedCandidate().label(), QString(QChar(u'a' + i)));
        QCOMPARE(characters[i].ink().pointCount(), 2);
    }
}

void TestSegmentVisitors::boxValues_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QList<double>>("offsets");
    QTest::newRow("none") << QList<double>{} << QList<double>{0, 0, 0};
    QTest::newRow("one") << QList<double>{0.5} << QList<double>{0.5, 0, 0};
    QTest::newRow("all") << QList<double>{1, 2, 3} << QList<double>{1, 2, 3};
    QTest::newRow("more") << QList<double>{1, 2, 3, 4} << QList<double>{1, 2, 3};
}

void TestSegmentVisitors::boxValues()
{
    QFETCH(QList<double>, values);
    QFETCH(QList<double>, offsets);
    LeafBoxes boxes{threeBoxes, values};
    const Segment visited = visitSegments(wordOnOneStroke(QStringLiteral("abc"), 0), 0,
                                          replaceLeafInkWithBoxes, &boxes);
    QList<double> got;
    for (const Segment &c : childrenOf(visited))
        got << onlyStroke(c).offset();
    QCOMPARE(got, offsets);
}

void TestSegmentVisitors::missingRectsFallBackToFittedBoxes_data()
{
    QTest::addColumn<int>("rectCount");
    QTest::addColumn<bool>("withContext");
    QTest::newRow("two of three") << 2 << true;
    QTest::newRow("empty list") << 0 << true;
    QTest::newRow("no context") << 0 << false;
}

void TestSegmentVisitors::missingRectsFallBackToFittedBoxes()
{
    QFETCH(int, rectCount);
    QFETCH(bool, withContext);
    const Segment word = wordOnOneStroke(QStringLiteral("abc"), 0);
    LeafBoxes boxes{threeBoxes.mid(0, rectCount), {7, 8, 9}};

    const Segment visited = visitSegments(word, 0, replaceLeafInkWithBoxes,
                                          withContext ? &boxes : nullptr);
    const QList<Segment> before = childrenOf(word);
    const QList<Segment> after = childrenOf(visited);
    QCOMPARE(after.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Stroke box = onlyStroke(after[i]);
        QCOMPARE(box.kind(), int(Stroke::Box));
        const QRectF expected = i < rectCount ? threeBoxes[i] : before[i].ink().boundingRect();
        QCOMPARE(box.boundingRect(), expected);
        QCOMPARE(box.offset(), withContext ? 7.0 + i : 0.0);
    }
}

void TestSegmentVisitors::negativeIndexFallsBack()
{
    const Stroke stroke = pen(3, 4);
    const Segment character = leaf(QStringLiteral("a"), InkRange::fromStroke(stroke));
    LeafBoxes boxes{threeBoxes, {5, 6, 7}};
    const Segment boxed = replaceLeafInkWithBoxes(nullptr, -1, character, &boxes);
    const Stroke box = onlyStroke(boxed);
    QCOMPARE(box.boundingRect(), stroke.boundingRect());
    QCOMPARE(box.offset(), 0.0);
    QCOMPARE(box.stamp().sequence, stroke.stamp().sequence - 1);
}

void TestSegmentVisitors::indexRestartsInEveryWord()
{
    const Segment root = branch({wordOnOneStroke(QStringLiteral("ab"), 0),
                                 wordOnOneStroke(QStringLiteral("cde"), 100)});
    LeafBoxes boxes{threeBoxes, {}};
    const Segment visited = visitSegments(root, 0, replaceLeafInkWithBoxes, &boxes);
    const QList<Segment> words = childrenOf(visited);
    QCOMPARE(words.size(), 2);
    QCOMPARE(onlyStroke(childrenOf(words[0])[1]).boundingRect(), threeBoxes[1]);
    QCOMPARE(onlyStroke(childrenOf(words[1])[0]).boundingRect(), threeBoxes[0]);
    QCOMPARE(onlyStroke(childrenOf(words[1])[2]).boundingRect(), threeBoxes[2]);
    QCOMPARE(visited.selectedCandidate().label(), QStringLiteral("abcde"));
}

void TestSegmentVisitors::innerSegmentHoldsSelectedCandidateAndBoxInk()
{
    Segment word = wordOnOneStroke(QStringLiteral("ab"), 0);
    ResultNode alternative;
    alternative.setLabel(QStringLiteral("ob"));
    word.appendCandidate(alternative);
    LeafBoxes boxes{threeBoxes, {}};

    const Segment mapped = mapChildSegments(word, replaceLeafInkWithBoxes, &boxes);
    QCOMPARE(mapped.candidates().size(), 1);
    QCOMPARE(mapped.selectedIndex(), 0);
    InkRange boxInk;
    for (const Segment &c : childrenOf(mapped))
        boxInk = boxInk.united(c.ink());
    QVERIFY(mapped.ink() == boxInk);
    QVERIFY(!mapped.ink().intersects(word.ink()));

    const Segment visited = visitSegments(word, 0, replaceLeafInkWithBoxes, &boxes);
    QCOMPARE(visited.candidates().size(), 2);
    QCOMPARE(visited.selectedIndex(), 0);
    QCOMPARE(visited.candidates()[1].label(), QStringLiteral("ob"));
    QVERIFY(visited.ink() == boxInk);
}

void TestSegmentVisitors::fittedBoxes()
{
    const Stroke tall = pen(40, 4);
    const Segment root = branch({wordOnOneStroke(QStringLiteral("ab"), 0),
                                 branch({leaf(QStringLiteral("c"), InkRange::fromStroke(tall))})});
    const Segment visited = visitSegments(root, 0, replaceLeafInkWithFittedBoxes, nullptr);
    const QList<Segment> before = root.segmentsOfType(ResultNode::Character);
    const QList<Segment> after = visited.segmentsOfType(ResultNode::Character);
    QCOMPARE(after.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Stroke box = onlyStroke(after[i]);
        QCOMPARE(box.kind(), int(Stroke::Box));
        QCOMPARE(box.boundingRect(), before[i].ink().boundingRect());
        QCOMPARE(box.offset(), 0.0);
    }
    QCOMPARE(onlyStroke(after[2]).stamp(), tall.stamp());
}

void TestSegmentVisitors::calculatorSymbolIsLeafWhenFitted()
{
    const Stroke stroke = pen(0, 5);
    Segment symbol = segmentOf({node(QStringLiteral("x"), 5)}, 0, InkRange::fromStroke(stroke));
    const Segment fitted = replaceLeafInkWithFittedBoxes(nullptr, 2, symbol, nullptr);
    QCOMPARE(onlyStroke(fitted).kind(), int(Stroke::Box));
    QCOMPARE(onlyStroke(fitted).stamp().sequence, stroke.stamp().sequence + 2);
    QCOMPARE(fitted.selectedCandidate().type(), 5);

    LeafBoxes boxes{threeBoxes, {}};
    const Segment listed = replaceLeafInkWithBoxes(nullptr, 0, symbol, &boxes);
    QVERIFY(listed.ink().isEmpty());
}

void TestSegmentVisitors::argumentsUnchanged()
{
    const RecognitionResult r = resultFromSegment(
        branch({wordOnOneStroke(QStringLiteral("ab"), 0), wordOnOneStroke(QStringLiteral("cd"), 50)}));
    const QString before = dumpSegment(r.root());
    LeafBoxes boxes{threeBoxes, {1}};
    const LeafBoxes boxesCopy = boxes;
    visitSegments(r.root(), 0, replaceLeafInkWithBoxes, &boxes);
    visitSegments(r.root(), 0, replaceLeafInkWithFittedBoxes, nullptr);
    mapChildSegments(r.root(), replaceLeafInkWithFittedBoxes, nullptr);
    QCOMPARE(dumpSegment(r.root()), before);
    QCOMPARE(boxes.rects, boxesCopy.rects);
    QCOMPARE(boxes.values, boxesCopy.values);
}

QTEST_GUILESS_MAIN(TestSegmentVisitors)
#include "tst_segmentvisitors.moc"
