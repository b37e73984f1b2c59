#include "model/inkrange.h"
#include "modelfixtures.h"

#include <QTest>
#include <QTransform>

Q_DECLARE_METATYPE(Interval)

namespace {

using namespace ModelFixtures;

// A horizontal pen stroke of points from (0, y).
Stroke line(int points, double y = 0)
{
    return zigzag(0, points, 0, y);
}

} // namespace

class TestInkRange : public QObject
{
    Q_OBJECT

private slots:
    void merge_data();
    void merge();
    void remove_data();
    void remove();
    void within_data();
    void within();
    void splitOneInterval_data();
    void splitOneInterval();
    void splitListBetweenIntervals();
    void strokeRangeSplitOnOtherStroke();
    void addMergesPiecesOfOneStroke();
    void equalityIgnoresOrder();
    void disjointIntersection();
    void containment();
    void allOfKind_data();
    void allOfKind();
    void locations();
    void locationsSkipPiecesWithoutInterval();
    void containsLocation();
    void geometry();
    void geometryKeepsOnePointIntervals();
    void geometryCacheFollowsChanges();
    void strokesAndStamps();
    void leftmostOffset();
    void cutLocations_data();
    void cutLocations();
    void transformedMapsEachStrokeOnce();
    void extractedRebasesPoints();
    void extractedKeepsEveryPoint_data();
    void extractedKeepsEveryPoint();
    void withStampKeepsIntervals();
};

void TestInkRange::merge_data()
{
    QTest::addColumn<IntervalList>("list");
    QTest::addColumn<Interval>("added");
    QTest::addColumn<IntervalList>("expected");

    QTest::newRow("into empty") << IntervalList() << Interval{2, 4} << IntervalList{{2, 4}};
    QTest::newRow("empty interval") << IntervalList{{1, 2}} << Interval{5, 4}
                                    << IntervalList{{1, 2}};
    QTest::newRow("overlap") << IntervalList{{0, 2}, {8, 9}} << Interval{3, 5}
                             << IntervalList{{0, 5}, {8, 9}};
    QTest::newRow("fill gap") << IntervalList{{0, 5}, {8, 9}} << Interval{6, 7}
                              << IntervalList{{0, 9}};
    QTest::newRow("before all") << IntervalList{{5, 6}} << Interval{0, 1}
                                << IntervalList{{0, 1}, {5, 6}};
    QTest::newRow("swallow several") << IntervalList{{1, 1}, {3, 3}, {5, 5}} << Interval{0, 9}
                                     << IntervalList{{0, 9}};
    QTest::newRow("same first") << IntervalList{{2, 3}} << Interval{2, 7}
                                << IntervalList{{2, 7}};
}

void TestInkRange::merge()
{
    QFETCH(IntervalList, list);
    QFETCH(Interval, added);
    QFETCH(IntervalList, expected);
    QCOMPARE(mergeInterval(list, added), expected);
}

void TestInkRange::remove_data()
{
    QTest::addColumn<IntervalList>("list");
    QTest::addColumn<Interval>("removed");
    QTest::addColumn<IntervalList>("expected");

    QTest::newRow("middle") << IntervalList{{0, 5}} << Interval{2, 3}
                            << IntervalList{{0, 1}, {4, 5}};
    QTest::newRow("whole") << IntervalList{{0, 5}} << Interval{0, 5} << IntervalList();
    QTest::newRow("across two") << IntervalList{{0, 3}, {6, 9}} << Interval{2, 7}
                                << IntervalList{{0, 1}, {8, 9}};
    QTest::newRow("outside") << IntervalList{{0, 3}} << Interval{6, 7} << IntervalList{{0, 3}};
    QTest::newRow("from empty list") << IntervalList() << Interval{0, 1} << IntervalList();
}

void TestInkRange::remove()
{
    QFETCH(IntervalList, list);
    QFETCH(Interval, removed);
    QFETCH(IntervalList, expected);
    QCOMPARE(removeInterval(list, removed), expected);
}

void TestInkRange::within_data()
{
    QTest::addColumn<Interval>("interval");
    QTest::addColumn<IntervalList>("list");
    QTest::addColumn<IntervalList>("expected");
    QTest::addColumn<int>("points");

    QTest::newRow("partly") << Interval{2, 8} << IntervalList{{0, 3}, {6, 10}}
                            << IntervalList{{2, 3}, {6, 8}} << 5;
    QTest::newRow("disjoint") << Interval{4, 5} << IntervalList{{0, 3}} << IntervalList() << 0;
    QTest::newRow("inside") << Interval{1, 2} << IntervalList{{0, 3}}
                            << IntervalList{{1, 2}} << 2;
}

void TestInkRange::within()
{
    QFETCH(Interval, interval);
    QFETCH(IntervalList, list);
    QFETCH(IntervalList, expected);
    QFETCH(int, points);
    QCOMPARE(intervalsWithin(interval, list), expected);
    QCOMPARE(pointCount(expected), points);
}

void TestInkRange::splitOneInterval_data()
{
    QTest::addColumn<Interval>("interval");
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("isStart");
    QTest::addColumn<bool>("held");
    QTest::addColumn<Interval>("before");
    QTest::addColumn<Interval>("after");

    const Interval none;
    QTest::newRow("inside") << Interval{0, 10} << 4 << true << true << Interval{0, 4}
                            << Interval{4, 10};
    QTest::newRow("at first") << Interval{0, 10} << 0 << true << true << none
                              << Interval{0, 10};
    QTest::newRow("at last") << Interval{0, 10} << 10 << false << true << Interval{0, 10}
                             << none;
    QTest::newRow("one point, start") << Interval{4, 4} << 4 << true << true << none
                                      << Interval{4, 4};
    QTest::newRow("one point, end") << Interval{4, 4} << 4 << false << true << Interval{4, 4}
                                    << none;
    QTest::newRow("outside") << Interval{0, 3} << 5 << true << false << Interval{-7, -7}
                             << Interval{-7, -7};
}

void TestInkRange::splitOneInterval()
{
    QFETCH(Interval, interval);
    QFETCH(int, point);
    QFETCH(bool, isStart);
    QFETCH(bool, held);
    QFETCH(Interval, before);
    QFETCH(Interval, after);

    Interval gotBefore{-7, -7};
    Interval gotAfter{-7, -7};
    const InkLocation loc{Stroke(), point, isStart};
    QCOMPARE(splitInterval(interval, loc, &gotBefore, &gotAfter), held);
    QCOMPARE(gotBefore, before);
    QCOMPARE(gotAfter, after);
    QCOMPARE(splitInterval(interval, loc, nullptr, nullptr), held);
}

void TestInkRange::splitListBetweenIntervals()
{
    const IntervalList list{{0, 2}, {6, 9}};
    StrokeRange before, after;
    QVERIFY(!splitIntervalsAt({Stroke(), 4, true}, &before, &after, list));
    QCOMPARE(before.intervals(), list);
    QVERIFY(after.intervals().isEmpty());

    QVERIFY(splitIntervalsAt({Stroke(), 7, true}, &before, &after, list));
    QCOMPARE(before.intervals(), IntervalList({{0, 2}, {6, 7}}));
    QCOMPARE(after.intervals(), IntervalList({{7, 9}}));
}

void TestInkRange::strokeRangeSplitOnOtherStroke()
{
    const Stroke s = line(10);
    const StrokeRange r = piece(s, {{0, 9}});
    StrokeRange before, after;
    QVERIFY(!r.splitAt({line(10), 3, true}, &before, &after));
    QCOMPARE(before, r);

    QVERIFY(r.splitAt({s, 3, false}, &before, &after));
    QCOMPARE(before, piece(s, {{0, 3}}));
    QCOMPARE(after, piece(s, {{3, 9}}));
}

void TestInkRange::addMergesPiecesOfOneStroke()
{
    const Stroke s = line(10);
    InkRange r = inkOf({piece(s, {{0, 2}})});
    const InkRange before = r;
    r.add(piece(s, {{3, 5}}));
    QCOMPARE(r.pieces().size(), 1);
    QCOMPARE(r.pieces().first().intervals(), IntervalList({{0, 5}}));
    QCOMPARE(before.pieces().first().intervals(), IntervalList({{0, 2}}));
    QCOMPARE(r.pointCount(), 6);

    const InkRange both = r.united(InkRange::fromStroke(line(3)));
    QCOMPARE(both.pieces().size(), 2);
    QCOMPARE(r.pieces().size(), 1);
}

void TestInkRange::equalityIgnoresOrder()
{
    const Stroke a = line(4);
    const Stroke b = line(4);
    const InkRange ab = inkOf({piece(a, {{0, 3}}), piece(b, {{1, 2}})});
    const InkRange ba = inkOf({piece(b, {{1, 2}}), piece(a, {{0, 3}})});
    QCOMPARE(ab, ba);
    QVERIFY(ab != inkOf({piece(a, {{0, 3}})}));
    QVERIFY(ab != inkOf({piece(a, {{0, 3}}), piece(b, {{1, 3}})}));
    QVERIFY(inkOf({piece(a, {{0, 3}})}) != ab);
}

void TestInkRange::disjointIntersection()
{
    const Stroke s = line(10);
    const InkRange left = inkOf({piece(s, {{0, 3}})});
    const InkRange right = inkOf({piece(s, {{5, 9}})});
    const InkRange common = left.intersected(right);
    QVERIFY(common.isEmpty());
    QCOMPARE(common.pieces().size(), 1);
    QVERIFY(common != InkRange());
    QVERIFY(!left.intersects(right));
    QVERIFY(left.intersected(InkRange::fromStroke(line(3))).pieces().isEmpty());
}

void TestInkRange::containment()
{
    const Stroke a = line(10);
    const Stroke b = line(5);
    const InkRange whole = inkOf({piece(a, {{0, 9}}), piece(b, {{0, 4}})});
    const InkRange part = inkOf({piece(a, {{2, 4}})});
    QVERIFY(whole.contains(part));
    QVERIFY(!part.contains(whole));
    QVERIFY(whole.intersects(part));
    QCOMPARE(whole.intersected(inkOf({piece(a, {{8, 12}})})), inkOf({piece(a, {{8, 9}})}));
}

void TestInkRange::allOfKind_data()
{
    QTest::addColumn<InkRange>("ink");
    QTest::addColumn<Stroke::Kind>("kind");
    QTest::addColumn<bool>("expected");

    const InkRange pen = InkRange::fromStroke(line(3));
    const InkRange typed = InkRange::fromStroke(makePointRowStroke(2));
    QTest::newRow("empty, no kind") << InkRange() << Stroke::None << true;
    QTest::newRow("empty, pen") << InkRange() << Stroke::Pen << false;
    QTest::newRow("pen, no kind") << pen << Stroke::None << false;
    QTest::newRow("pen, pen") << pen << Stroke::Pen << true;
    QTest::newRow("typed, point row") << typed << Stroke::PointRow << true;
    QTest::newRow("mixed, point row") << pen.united(typed) << Stroke::PointRow << false;
    QTest::newRow("typed and empty piece, point row")
        << typed.united(inkOf({piece(line(2), {})})) << Stroke::PointRow << false;
}

void TestInkRange::allOfKind()
{
    QFETCH(InkRange, ink);
    QFETCH(Stroke::Kind, kind);
    QFETCH(bool, expected);
    QCOMPARE(ink.isAllOfKind(kind), expected);
}

void TestInkRange::locations()
{
    const Stroke a = line(10);
    const Stroke b = line(10);
    const InkRange r = inkOf({piece(a, {{1, 2}, {5, 6}}), piece(b, {{3, 8}})});
    QCOMPARE(r.firstLocation(), (InkLocation{a, 1, true}));
    QCOMPARE(r.lastLocation(), (InkLocation{b, 8, false}));
    QCOMPARE(r.boundaryLocations(),
             QList<InkLocation>({{a, 1, true}, {a, 2, false}, {a, 5, true}, {a, 6, false},
                                 {b, 3, true}, {b, 8, false}}));
    QCOMPARE(InkRange().firstLocation(), InkLocation());
    QCOMPARE(InkRange().lastLocation(), InkLocation());
}

void TestInkRange::locationsSkipPiecesWithoutInterval()
{
    const Stroke a = line(10);
    const Stroke b = line(10);
    const Stroke c = line(10);
    InkRange r = inkOf({piece(a, {{0, 3}}), piece(b, {{2, 4}})})
                     .intersected(inkOf({piece(a, {{5, 6}}), piece(b, {{3, 9}})}));
    r = r.united(inkOf({piece(c, {})}));
    QCOMPARE(r.pieces().size(), 3);
    QCOMPARE(r.firstLocation(), (InkLocation{b, 3, true}));
    QCOMPARE(r.lastLocation(), (InkLocation{b, 4, false}));
}

void TestInkRange::containsLocation()
{
    const Stroke a = line(10);
    const InkRange r = inkOf({piece(a, {{1, 2}, {5, 6}})});
    QVERIFY(r.containsLocation({a, 2, true}));
    QVERIFY(r.containsLocation({a, 5, false}));
    QVERIFY(!r.containsLocation({a, 4, true}));
    QVERIFY(!r.containsLocation({line(10), 1, true}));
}

void TestInkRange::geometry()
{
    const InkRange dot = InkRange::fromStroke(line(1));
    QCOMPARE(dot.pieces().first().intervals(), IntervalList({{0, 0}}));
    QCOMPARE(dot.boundingRect(), QRectF(0, 0, 1, 1));

    const InkRange r = inkOf({piece(line(10, 0), {{2, 4}}), piece(line(10, 6), {{4, 8}})});
    QCOMPARE(r.boundingRect(), QRectF(2, 0, 6, 6));
    QCOMPARE(r.centroid(), QPointF(4.875, 3.75));
    QCOMPARE(InkRange().boundingRect(), QRectF());
    QCOMPARE(InkRange().centroid(), QPointF());
    QCOMPARE(InkRange::fromStroke(makePointRowStroke(4)).boundingRect(), QRectF());
}

void TestInkRange::geometryKeepsOnePointIntervals()
{
    // Cuts leave one-point intervals; each one is ink of the range.
    const InkRange r = inkOf({piece(line(10), {{0, 0}, {4, 4}})});
    QCOMPARE(r.boundingRect(), QRectF(0, 0, 4, 1));
    QCOMPARE(r.centroid(), QPointF(2, 0));
}

void TestInkRange::geometryCacheFollowsChanges()
{
    const Stroke s = line(10);
    InkRange r = inkOf({piece(s, {{0, 1}})});
    const InkRange copy = r;
    QCOMPARE(r.boundingRect(), QRectF(0, 0, 1, 1));
    r.add(piece(s, {{7, 9}}));
    QCOMPARE(r.boundingRect(), QRectF(0, 0, 9, 1));
    QCOMPARE(copy.boundingRect(), QRectF(0, 0, 1, 1));
}

void TestInkRange::strokesAndStamps()
{
    const Stroke bare = line(3);
    const Stroke a = line(3);
    const Stroke typed = makePointRowStroke(3);
    const Stroke b = line(3);
    const InkRange r = inkOf({piece(bare, {}), piece(b, {{0, 2}}), piece(typed, {{0, 2}}),
                              piece(a, {{0, 2}})});
    QCOMPARE(r.strokes(), QList<Stroke>({b, a}));
    QCOMPARE(r.latestStamp(), b.stamp());
    QCOMPARE(InkRange().latestStamp().sequence, StrokeStamp::now().sequence);
}

void TestInkRange::leftmostOffset()
{
    const Stroke right = makeBoxStroke(QRectF(20, 0, 5, 5), 2.0);
    const Stroke left = makeBoxStroke(QRectF(5, 0, 5, 5), 1.0);
    const Stroke sameLeft = makeBoxStroke(QRectF(5, 9, 5, 5), 3.0);
    QCOMPARE(InkRange().leftmostStrokeOffset(), 0.0);
    const InkRange r = InkRange::fromStroke(right)
                           .united(InkRange::fromStroke(left))
                           .united(InkRange::fromStroke(sameLeft));
    QCOMPARE(r.leftmostStrokeOffset(), 1.0);
}

void TestInkRange::cutLocations_data()
{
    QTest::addColumn<int>("otherShape");
    QTest::addColumn<QList<int>>("expected");  // pairs of stroke index, point, start flag

    QTest::newRow("one whole stroke") << 0 << QList<int>{1, 0, 1, 1, 5, 0};
    QTest::newRow("run of two strokes") << 1 << QList<int>{1, 0, 1, 2, 5, 0};
    QTest::newRow("run starting inside a stroke") << 2 << QList<int>{0, 2, 1, 1, 5, 0};
    QTest::newRow("inside one stroke only") << 3 << QList<int>{};
}

void TestInkRange::cutLocations()
{
    QFETCH(int, otherShape);
    QFETCH(QList<int>, expected);

    const QList<Stroke> s{line(6), line(6), line(6)};
    const InkRange own = inkOf({piece(s[0], {{0, 5}}), piece(s[1], {{0, 5}}),
                                piece(s[2], {{0, 5}})});
    const QList<InkRange> others{
        inkOf({piece(s[1], {{0, 5}})}),
        inkOf({piece(s[1], {{0, 5}}), piece(s[2], {{0, 5}})}),
        inkOf({piece(s[0], {{2, 5}}), piece(s[1], {{0, 5}})}),
        inkOf({piece(s[1], {{2, 3}})}),
    };
    QList<InkLocation> want;
    for (int i = 0; i + 2 < expected.size() + 1; i += 3)
        want << InkLocation{s[expected[i]], expected[i + 1], expected[i + 2] == 1};
    QCOMPARE(own.cutLocations(others[otherShape]), want);
}

void TestInkRange::transformedMapsEachStrokeOnce()
{
    const Stroke a = line(6);
    const Stroke b = line(6);
    const InkRange first = inkOf({piece(a, {{0, 2}}), piece(b, {{0, 5}})});
    const InkRange second = inkOf({piece(a, {{3, 5}})});
    QList<Stroke> pairs;
    const QTransform shift = QTransform::fromTranslate(10, 0);
    const InkRange mappedFirst = first.transformed(shift, pairs);
    const InkRange mappedSecond = second.transformed(shift, pairs);
    QCOMPARE(pairs.size(), 4);
    QCOMPARE(mappedFirst.pieces().first().stroke(), mappedSecond.pieces().first().stroke());
    QCOMPARE(mappedSecond.pieces().first().intervals(), IntervalList({{3, 5}}));
    QCOMPARE(mappedFirst.pieces().first().stroke().stamp(), a.stamp());
    QCOMPARE(mappedFirst.boundingRect(), QRectF(10, 0, 5, 1));
}

void TestInkRange::extractedRebasesPoints()
{
    const Stroke a = line(10);
    QList<Stroke> pairs;
    QList<int> firstPoints;
    const InkRange r = inkOf({piece(a, {{3, 5}, {8, 9}})});
    const InkRange cut = r.extracted(pairs, firstPoints);
    QCOMPARE(firstPoints, QList<int>{3});
    const StrokeRange p = cut.pieces().first();
    QCOMPARE(p.intervals(), IntervalList({{0, 2}, {5, 6}}));
    QCOMPARE(p.stroke().path().elementCount(), 7);
    QCOMPARE(p.stroke().stamp(), a.stamp());
    QCOMPARE(cut.boundingRect(), QRectF(3, 0, 6, 1));

    // A later piece on the same stroke is rebased on the first extraction.
    const InkRange later = inkOf({piece(a, {{4, 5}})}).extracted(pairs, firstPoints);
    QCOMPARE(later.pieces().first().intervals(), IntervalList({{1, 2}}));
    QCOMPARE(later.pieces().first().stroke(), p.stroke());
    QVERIFY(inkOf({piece(a, {})}).extracted(pairs, firstPoints).pieces().size() == 1);
}

void TestInkRange::extractedKeepsEveryPoint_data()
{
    QTest::addColumn<QList<IntervalList>>("ranges");  // on one stroke, extracted in turn
    QTest::addColumn<QList<IntervalList>>("rebased");
    QTest::addColumn<QList<int>>("firstPoints");

    using Lists = QList<IntervalList>;
    QTest::newRow("one interval") << Lists{{{3, 5}}} << Lists{{{0, 2}}} << QList<int>{3};
    QTest::newRow("two intervals") << Lists{{{3, 5}, {8, 9}}} << Lists{{{0, 2}, {5, 6}}}
                                   << QList<int>{3};
    QTest::newRow("later range inside") << Lists{{{2, 7}}, {{4, 5}}}
                                        << Lists{{{0, 5}}, {{2, 3}}} << QList<int>{2};
    QTest::newRow("later range before") << Lists{{{4, 6}}, {{1, 2}}}
                                        << Lists{{{0, 2}}, {{0, 1}}} << QList<int>{4, 1};
    QTest::newRow("later range past the end") << Lists{{{1, 3}}, {{6, 9}}}
                                              << Lists{{{0, 2}}, {{0, 3}}} << QList<int>{1, 6};
    QTest::newRow("later range around") << Lists{{{3, 5}}, {{2, 8}}}
                                        << Lists{{{0, 2}}, {{0, 6}}} << QList<int>{3, 2};
    QTest::newRow("third range on the second cut")
        << Lists{{{1, 3}}, {{6, 9}}, {{7, 8}}} << Lists{{{0, 2}}, {{0, 3}}, {{1, 2}}}
        << QList<int>{1, 6};
}

void TestInkRange::extractedKeepsEveryPoint()
{
    QFETCH(QList<IntervalList>, ranges);
    QFETCH(QList<IntervalList>, rebased);
    QFETCH(QList<int>, firstPoints);

    const Stroke s = zigzag(0, 10, 1);
    QList<Stroke> pairs;
    QList<int> bases;
    for (int i = 0; i < ranges.size(); ++i) {
        const InkRange source = inkOf({piece(s, ranges[i])});
        const InkRange cut = source.extracted(pairs, bases);
        QCOMPARE(cut.pieces().size(), 1);
        const StrokeRange p = cut.pieces().first();
        QCOMPARE(p.intervals(), rebased[i]);
        QVERIFY(p.intervals().last().last < p.stroke().path().elementCount());
        QCOMPARE(p.stroke().stamp(), s.stamp());
        QPainterPath drawn;
        cut.appendToPath(drawn);
        QPainterPath expected;
        source.appendToPath(expected);
        QCOMPARE(pointsOf(drawn), pointsOf(expected));
    }
    QCOMPARE(bases, firstPoints);
    QCOMPARE(pairs.size(), 2 * firstPoints.size());
}

void TestInkRange::withStampKeepsIntervals()
{
    const Stroke a = line(5);
    const InkRange r = inkOf({piece(a, {{1, 3}})});
    const StrokeStamp stamp{QTime(1, 2, 3), 4242};
    const InkRange stamped = r.withStamp(stamp);
    QCOMPARE(stamped.pieces().first().intervals(), IntervalList({{1, 3}}));
    QCOMPARE(stamped.pieces().first().stroke().stamp(), stamp);
    QCOMPARE(stamped.pieces().first().stroke().path(), a.path());
    QCOMPARE(r.pieces().first().stroke().stamp(), a.stamp());
}

QTEST_GUILESS_MAIN(TestInkRange)
#include "tst_inkrange.moc"
