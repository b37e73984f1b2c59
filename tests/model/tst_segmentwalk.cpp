#include "model/segmentwalk.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of three points starting at x.
Stroke penStroke(double x)
{
    return zigzag(x, 3, 2);
}

QList<InkRange> childInks(const ResultNode &n)
{
    QList<InkRange> inks;
    for (const Segment &child : n.children())
        inks << child.ink();
    return inks;
}

Segment returnsInput(Segment *, int, const Segment &segment, void *)
{
    return segment;
}

// Keeps only the selected candidate, with its children mapped, and records
// the indices it is called with.
Segment selectedOnly(Segment *storage, int index, const Segment &segment, void *context)
{
    static_cast<QList<int> *>(context)->append(index);
    *storage = Segment();
    const ResultNode mapped = mapChildren(segment.selectedCandidate(), selectedOnly, context);
    storage->appendCandidate(mapped);
    storage->setSelectedCandidate(0);
    storage->setInk(segment.ink());
    return *storage;
}

// Replaces the ink of the visited segment by the ink in the context.
Segment withContextInk(Segment *, int, const Segment &segment, void *context)
{
    Segment s;
    s.appendCandidate(segment.selectedCandidate());
    s.setSelectedCandidate(0);
    s.setInk(*static_cast<InkRange *>(context));
    return s;
}

} // namespace

class TestSegmentWalk : public QObject
{
    Q_OBJECT

private slots:
    void visitAppendsAlternatives_data();
    void visitAppendsAlternatives();
    void visitSpreadsChangedInk();
    void mapChildrenVisitsEachChild();
    void spreadInk_data();
    void spreadInk();
    void spreadInkNested();
    void rebuiltWithInkKeepsSelection();
    void restamp();
    void rebuildWithoutDistribution();
    void rebuildDistributesUncoveredStrokes();
    void rebuildResultTreeKeepsOtherFields();
};

void TestSegmentWalk::visitAppendsAlternatives_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("first selected") << 0 << QStringList{"a", "b", "c", "b", "c"};
    QTest::newRow("middle selected") << 1 << QStringList{"a", "b", "c", "a", "c"};
    QTest::newRow("none selected") << -1 << QStringList{"a", "b", "c", "a", "b", "c"};
}

void TestSegmentWalk::visitAppendsAlternatives()
{
    QFETCH(int, selected);
    QFETCH(QStringList, labels);

    const Segment s = segmentOf({node("a"), node("b"), node("c")}, selected);
    const Segment visited = visitSegments(s, 0, returnsInput, nullptr);
    QStringList got;
    for (const ResultNode &c : visited.candidates())
        got << c.label();
    QCOMPARE(got, labels);
    QCOMPARE(visited.selectedIndex(), selected);
    QCOMPARE(s.candidates().size(), 3);
}

void TestSegmentWalk::visitSpreadsChangedInk()
{
    const Stroke a = penStroke(0), b = penStroke(5), x = penStroke(10), y = penStroke(15);
    const Segment chosen = segmentOf({node("ab", {segmentOf({node("a")}, 0, inkOf({a})),
                                                  segmentOf({node("b")}, 0, inkOf({b}))}),
                                      node("x", {segmentOf({node("x")}, 0, inkOf({a, b}))})},
                                     0, inkOf({a, b}));
    InkRange replacement = inkOf({x, y});
    const Segment visited = visitSegments(chosen, 0, withContextInk, &replacement);
    QCOMPARE(visited.candidates().size(), 2);
    QCOMPARE(visited.ink(), replacement);
    // The alternative takes the new ink; the callback's own candidate is
    // left as the callback made it.
    QCOMPARE(childInks(visited.candidates()[1]), QList<InkRange>{inkOf({x})});
    QCOMPARE(childInks(visited.candidates()[0]), QList<InkRange>({inkOf({a}), inkOf({b})}));

    InkRange same = inkOf({a, b});
    const Segment unchanged = visitSegments(chosen, 0, withContextInk, &same);
    QCOMPARE(unchanged.candidates()[1], chosen.candidates()[1]);
}

void TestSegmentWalk::mapChildrenVisitsEachChild()
{
    const Segment word = segmentOf({node(QString(), {segmentOf({node("a"), node("o")}, 1),
                                                     segmentOf({node("b")}, 0),
                                                     segmentOf({node("c")}, 0)})},
                                   0);
    ResultNode given = word.selectedCandidate();
    given.setScore(0.5f);
    given.setWordFlag(1);
    QList<int> indices;
    const ResultNode mapped = mapChildren(given, selectedOnly, &indices);
    QCOMPARE(indices, QList<int>({0, 1, 2}));
    QCOMPARE(mapped.score(), 0.5f);
    QCOMPARE(mapped.wordFlag(), 1);
    QCOMPARE(mapped.label(), QString("obc"));
    const Segment first = mapped.children().first();
    QCOMPARE(first.candidates().size(), 2);
    QCOMPARE(first.candidates()[1].label(), QString("a"));
}

void TestSegmentWalk::spreadInk_data()
{
    QTest::addColumn<QStringList>("childLabels");
    QTest::addColumn<int>("ranges");
    QTest::addColumn<QList<QList<int>>>("shares");

    QTest::newRow("more ranges than characters")
        << QStringList{"a", "b", "c"} << 5 << QList<QList<int>>{{0}, {1}, {2}};
    QTest::newRow("fewer ranges") << QStringList{"a", "b", "c"} << 2
                                  << QList<QList<int>>{{0}, {1}, {1}};
    QTest::newRow("empty label takes the last")
        << QStringList{"a", "", "b"} << 3 << QList<QList<int>>{{0}, {2}, {1}};
    QTest::newRow("two-unit label") << QStringList{"ab", "c"} << 3
                                    << QList<QList<int>>{{0, 1}, {2}};
    QTest::newRow("no ink") << QStringList{"a", "b"} << 0 << QList<QList<int>>{{}, {}};
}

void TestSegmentWalk::spreadInk()
{
    QFETCH(QStringList, childLabels);
    QFETCH(int, ranges);
    QFETCH(QList<QList<int>>, shares);

    QList<Stroke> strokes;
    for (int i = 0; i < ranges; ++i)
        strokes << penStroke(i * 5);
    QList<Segment> children;
    for (const QString &l : childLabels)
        children << segmentOf({node(l)}, 0);
    ResultNode word = node("word", children);
    word.setScore(0.25f);

    const ResultNode spread = spreadInkOverChildren(word, inkOf(strokes));
    QCOMPARE(spread.label(), QString("word"));
    QCOMPARE(spread.score(), 0.25f);
    QList<InkRange> expected;
    for (const QList<int> &share : shares) {
        QList<Stroke> s;
        for (int i : share)
            s << strokes[i];
        expected << inkOf(s);
    }
    QCOMPARE(childInks(spread), expected);
}

void TestSegmentWalk::spreadInkNested()
{
    const QList<Stroke> s{penStroke(0), penStroke(5), penStroke(10)};
    const Segment ab = segmentOf({node(QString(), {segmentOf({node("a")}, 0),
                                                   segmentOf({node("b")}, 0)})},
                                 0);
    const ResultNode text = node(QString(), {ab, segmentOf({node("c")}, 0)});
    const ResultNode spread = spreadInkOverChildren(text, inkOf(s));
    const Segment word = spread.children().first();
    QCOMPARE(word.ink(), inkOf({s[0], s[1]}));
    QCOMPARE(childInks(word.selectedCandidate()), QList<InkRange>({inkOf({s[0]}), inkOf({s[1]})}));
    QCOMPARE(spread.children()[1].ink(), inkOf({s[2]}));
}

void TestSegmentWalk::rebuiltWithInkKeepsSelection()
{
    const QList<Stroke> s{penStroke(0), penStroke(5)};
    const Segment word =
        segmentOf({node(QString(), {segmentOf({node("a")}, 0), segmentOf({node("b")}, 0)}),
                   node(QString(), {segmentOf({node("ab")}, 0)})},
                  1);
    const Segment rebuilt = word.rebuiltWithInk(inkOf(s));
    QCOMPARE(rebuilt.selectedIndex(), 1);
    QCOMPARE(rebuilt.ink(), inkOf(s));
    QCOMPARE(childInks(rebuilt.candidates()[0]), QList<InkRange>({inkOf({s[0]}), inkOf({s[1]})}));
    QCOMPARE(childInks(rebuilt.candidates()[1]), QList<InkRange>{inkOf(s)});
    QCOMPARE(segmentOf({node("a")}, 0).rebuiltWithInk(inkOf(s)).ink(), inkOf(s));
}

void TestSegmentWalk::restamp()
{
    const Stroke a = penStroke(0), b = penStroke(5);
    StrokeRange part;
    part.setStroke(b);
    part.addInterval(1, 2);
    InkRange partial = inkOf({a});
    partial.add(part);
    ResultNode symbol = node("+");
    symbol.setType(5);
    const Segment tree = segmentOf({node(QString(), {segmentOf({symbol}, 0, partial)}),
                                    node("alt")},
                                   0, partial);
    const StrokeStamp stamp{QTime(10, 0), 777};
    const Segment stamped = restampSegment(tree, stamp);

    QCOMPARE(stamped.selectedIndex(), 0);
    QCOMPARE(stamped.candidates().size(), 2);
    const Segment leaf = stamped.selectedCandidate().children().first();
    QCOMPARE(leaf.selectedCandidate().type(), 5);
    QCOMPARE(leaf.selectedCandidate().label(), QString("+"));
    for (const Segment &s : {stamped, leaf}) {
        const QList<StrokeRange> pieces = s.ink().pieces();
        QCOMPARE(pieces.size(), 2);
        for (const StrokeRange &p : pieces)
            QCOMPARE(p.stroke().stamp(), stamp);
        QCOMPARE(pieces[1].intervals(), IntervalList({{1, 2}}));
    }
    QCOMPARE(tree.ink(), partial);
    QCOMPARE(tree.ink().pieces().first().stroke().stamp(), a.stamp());
}

void TestSegmentWalk::rebuildWithoutDistribution()
{
    const Stroke a = penStroke(0), b = penStroke(5), loose = penStroke(20), extra = penStroke(40);
    // The parent's ink lacks b and holds a stroke that no child holds.
    const Segment word = segmentOf({node(QString(), {segmentOf({node("a")}, 0, inkOf({a})),
                                                     segmentOf({node("b")}, 0, inkOf({b}))})},
                                   0, inkOf({a, loose}));
    const Segment rebuilt = rebuildSegmentTree(word, inkOf({extra}), false);
    QCOMPARE(rebuilt.ink(), inkOf({a, b, loose, extra}));
    QCOMPARE(childInks(rebuilt.selectedCandidate()), QList<InkRange>({inkOf({a}), inkOf({b})}));
    QCOMPARE(rebuilt.selectedCandidate().label(), QString("ab"));
    QCOMPARE(rebuilt.selectedIndex(), 0);
}

void TestSegmentWalk::rebuildDistributesUncoveredStrokes()
{
    const Stroke a = penStroke(0), b = penStroke(10), nearB = penStroke(12),
                 between = penStroke(5), nearA = penStroke(-3);
    const Segment empty = segmentOf({node("_")}, 0);
    const Segment word = segmentOf({node(QString(), {segmentOf({node("a")}, 0, inkOf({a})),
                                                     empty,
                                                     segmentOf({node("b")}, 0, inkOf({b}))})},
                                   0, inkOf({a, b, nearB, between, nearA}));
    const Segment rebuilt = rebuildSegmentTree(word, InkRange(), true);
    // A tie between a and b goes to the earlier child; a child without ink
    // receives nothing.
    QCOMPARE(childInks(rebuilt.selectedCandidate()),
             QList<InkRange>({inkOf({a, between, nearA}), InkRange(), inkOf({b, nearB})}));
    QCOMPARE(rebuilt.ink(), word.ink());
}

void TestSegmentWalk::rebuildResultTreeKeepsOtherFields()
{
    const Stroke a = penStroke(0), b = penStroke(5);
    RecognitionResult r;
    r.setRoot(segmentOf({node(QString(), {segmentOf({node("a")}, 0, inkOf({a})),
                                          segmentOf({node("b")}, 0, inkOf({b}))})},
                        0));
    r.setTransform(QTransform::fromTranslate(3, 4));
    r.layout().flags = 8;
    const RecognitionResult rebuilt = rebuildResultTree(r, false);
    QCOMPARE(rebuilt.root().ink(), inkOf({a, b}));
    QCOMPARE(rebuilt.transform(), r.transform());
    QCOMPARE(rebuilt.layout(), r.layout());
    QVERIFY(r.root().ink().isEmpty());
}

QTEST_GUILESS_MAIN(TestSegmentWalk)
#include "tst_segmentwalk.moc"
