#include "model/stroke.h"
#include "modelfixtures.h"
#include "tests/fixedstampclock.h"

#include <QSet>
#include <QTest>
#include <QThread>
#include <QTransform>

using namespace ModelFixtures;

class TestStroke : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void centroidAtOriginIsRecomputed();
    void identity();
    void settersGiveDefaultStrokeAnIdentity();
    void settersDetach();
    void transformKeepsStamp();
    void subStroke_data();
    void subStroke();
    void stampOrder_data();
    void stampOrder();
    void stampNowDrawsNoNumber();
    void stampsKeepOrderAcrossMidnight_data();
    void stampsKeepOrderAcrossMidnight();
    void listSearchUsesValueEquality();
    void sequenceNumbersUniqueAcrossThreads();
};

void TestStroke::geometry_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QPointF>("centroid");

    QTest::newRow("pen") << makePathStroke(polyline({{0, 0}, {4, 2}, {8, 10}}))
                         << QRectF(0, 0, 8, 10) << QPointF(4, 4);
    QTest::newRow("one point") << makePathStroke(polyline({{3, 5}}))
                               << QRectF(3, 5, 1, 1) << QPointF(3, 5);
    QTest::newRow("box") << makeBoxStroke(QRectF(10, 20, 30, 40), 2.5)
                         << QRectF(10, 20, 30, 40) << QPointF(25, 40);
    QTest::newRow("box of width 0") << makeBoxStroke(QRectF(10, 20, 0, 40), 0)
                                    << QRectF(10, 20, 1, 40) << QPointF(10, 40);
    QTest::newRow("row of points") << makePointRowStroke(4) << QRectF() << QPointF();
    QTest::newRow("empty row") << makePointRowStroke(0) << QRectF() << QPointF();
    QTest::newRow("default") << Stroke() << QRectF() << QPointF();
}

void TestStroke::geometry()
{
    QFETCH(Stroke, stroke);
    QFETCH(QRectF, rect);
    QFETCH(QPointF, centroid);
    QCOMPARE(stroke.boundingRect(), rect);
    QCOMPARE(stroke.centroid(), centroid);
    // Cached values answer the same.
    QCOMPARE(stroke.boundingRect(), rect);
    QCOMPARE(stroke.centroid(), centroid);
}

void TestStroke::centroidAtOriginIsRecomputed()
{
    const Stroke s = makePathStroke(polyline({{-2, -2}, {2, 2}}));
    QCOMPARE(s.centroid(), QPointF(0, 0));
    QCOMPARE(s.centroid(), QPointF(0, 0));
}

void TestStroke::identity()
{
    const QPainterPath path = polyline({{0, 0}, {1, 1}});
    const Stroke a = makePathStroke(path);
    const Stroke b = makePathStroke(path);
    QVERIFY(a != b);
    QVERIFY(b.stamp().isLaterThan(a.stamp()));
    QCOMPARE(a.kind(), Stroke::Pen);

    const Stroke copy = a;
    QVERIFY(copy == a);

    const Stroke row = makePointRowStroke(3);
    QCOMPARE(row.kind(), Stroke::PointRow);
    QCOMPARE(pointsOf(row.path()), QList<QPointF>({{0, 0}, {1, 0}, {2, 0}}));

    const Stroke box = makeBoxStroke(QRectF(1, 2, 3, 4), 7.5);
    QCOMPARE(box.kind(), Stroke::Box);
    QCOMPARE(box.offset(), 7.5);
    QCOMPARE(pointsOf(box.path()), QList<QPointF>({{1, 6}, {4, 2}}));
}

void TestStroke::settersGiveDefaultStrokeAnIdentity()
{
    Stroke a;
    Stroke b;
    a.setKind(Stroke::Pen);
    b.setKind(Stroke::Pen);
    QVERIFY(a.stamp() != Stroke().stamp());
    QVERIFY(a != b);
    QCOMPARE(Stroke().kind(), Stroke::None);
}

void TestStroke::settersDetach()
{
    Stroke a = makePathStroke(polyline({{0, 0}, {2, 2}}));
    const Stroke shared = a;
    QCOMPARE(a.boundingRect(), QRectF(0, 0, 2, 2));
    a.setPath(polyline({{0, 0}, {6, 6}}));
    QCOMPARE(a.stamp(), shared.stamp());
    QCOMPARE(shared.boundingRect(), QRectF(0, 0, 2, 2));
    QCOMPARE(a.boundingRect(), QRectF(0, 0, 6, 6));
    QVERIFY(a != shared);
}

void TestStroke::transformKeepsStamp()
{
    const Stroke s = makeBoxStroke(QRectF(0, 0, 2, 2), 3);
    const Stroke moved = strokeTransformed(s, QTransform::fromTranslate(5, 0));
    QCOMPARE(moved.stamp(), s.stamp());
    QCOMPARE(moved.offset(), 3.0);
    QCOMPARE(moved.kind(), Stroke::Box);
    QCOMPARE(moved.boundingRect(), QRectF(5, 0, 2, 2));
    QVERIFY(moved != s);
    QVERIFY(strokeTransformed(s, QTransform()) == s);

    const Stroke row = makePointRowStroke(2);
    const Stroke rowMoved = strokeTransformed(row, QTransform::fromScale(3, 3));
    QCOMPARE(rowMoved.path(), row.path());
    QVERIFY(rowMoved == row);
}

void TestStroke::subStroke_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<QPointF>>("points");

    const Stroke pen = makePathStroke(polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    QTest::newRow("middle") << pen << 1 << 2 << QList<QPointF>({{1, 0}, {2, 0}});
    QTest::newRow("one point") << pen << 3 << 3 << QList<QPointF>({{3, 0}});
    QTest::newRow("last beyond") << pen << 2 << 9 << QList<QPointF>({{2, 0}, {3, 0}});
    QTest::newRow("first after last") << pen << 2 << 1 << QList<QPointF>();
    QTest::newRow("first beyond path") << pen << 7 << 9 << QList<QPointF>();
    QTest::newRow("negative first") << pen << -1 << 2 << QList<QPointF>();
    QTest::newRow("box whole") << makeBoxStroke(QRectF(0, 0, 4, 4), 1) << 1 << 1
                               << QList<QPointF>({{0, 4}, {4, 0}});
}

void TestStroke::subStroke()
{
    QFETCH(Stroke, stroke);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<QPointF>, points);

    const Stroke sub = stroke.subStroke(first, last);
    QCOMPARE(pointsOf(sub.path()), points);
    QCOMPARE(sub.stamp(), stroke.stamp());
    QCOMPARE(sub.kind(), stroke.kind());
    QCOMPARE(sub.offset(), stroke.offset());
}

void TestStroke::stampOrder_data()
{
    QTest::addColumn<int>("timeA");
    QTest::addColumn<int>("seqA");
    QTest::addColumn<int>("timeB");
    QTest::addColumn<int>("seqB");
    QTest::addColumn<bool>("later");

    QTest::newRow("later time") << 1000 << 1 << 999 << 5 << true;
    QTest::newRow("earlier time") << 999 << 9 << 1000 << 1 << false;
    QTest::newRow("same time, higher sequence") << 1000 << 2 << 1000 << 1 << true;
    QTest::newRow("same stamp") << 1000 << 2 << 1000 << 2 << false;
}

void TestStroke::stampOrder()
{
    QFETCH(int, timeA);
    QFETCH(int, seqA);
    QFETCH(int, timeB);
    QFETCH(int, seqB);
    QFETCH(bool, later);

    const StrokeStamp a{QTime::fromMSecsSinceStartOfDay(timeA), seqA};
    const StrokeStamp b{QTime::fromMSecsSinceStartOfDay(timeB), seqB};
    QCOMPARE(a.isLaterThan(b), later);
    QCOMPARE(a.addMSecs(-500).time.msecsSinceStartOfDay(), timeA - 500);
    QCOMPARE(a.addMSecs(-500).sequence, seqA);
}

void TestStroke::stampNowDrawsNoNumber()
{
    const Stroke made = makePathStroke(polyline({{0, 0}}));
    const StrokeStamp first = StrokeStamp::now();
    const StrokeStamp second = StrokeStamp::now();
    QCOMPARE(first.sequence, made.stamp().sequence);
    QCOMPARE(second.sequence, first.sequence);
    QCOMPARE(makePointRowStroke(1).stamp().sequence, first.sequence + 1);
}

namespace {

constexpr qint64 Day = 24 * 60 * 60 * 1000;

} // namespace

void TestStroke::stampsKeepOrderAcrossMidnight_data()
{
    QTest::addColumn<qint64>("firstAt");
    QTest::addColumn<qint64>("secondAt");
    QTest::addColumn<QTime>("secondTime");

    QTest::newRow("same day") << Day - 900 << Day - 100 << QTime(23, 59, 59, 900);
    QTest::newRow("across midnight") << Day - 500 << Day + 200 << QTime(0, 0, 0, 200);
    QTest::newRow("on the stroke of midnight") << Day - 1 << Day << QTime(0, 0);
    QTest::newRow("second midnight") << 2 * Day - 300 << 2 * Day + 400 << QTime(0, 0, 0, 400);
}

void TestStroke::stampsKeepOrderAcrossMidnight()
{
    QFETCH(qint64, firstAt);
    QFETCH(qint64, secondAt);
    QFETCH(QTime, secondTime);
    FixedStampClock clock(firstAt);
    const Stroke first = makePathStroke(polyline({{0, 0}}));
    clock.set(secondAt);
    const Stroke second = makePathStroke(polyline({{0, 0}}));
    const StrokeStamp now = StrokeStamp::now();

    const StrokeStamp a = first.stamp();
    const StrokeStamp b = second.stamp();
    QCOMPARE(b.time, secondTime);
    QVERIFY(b.isLaterThan(a));
    QVERIFY(!a.isLaterThan(b));
    QCOMPARE(a.msecsTo(b), secondAt - firstAt);
    QCOMPARE(b.msecsTo(a), firstAt - secondAt);
    // A window reaching back past the first stroke leaves it inside.
    const int window = int(secondAt - firstAt) + 1;
    QVERIFY(a.isLaterThan(now.addMSecs(-window)));
    QVERIFY(now.addMSecs(-window + 2).isLaterThan(a));
    QCOMPARE(now.addMSecs(-window).sequence, now.sequence);
    // Moving back over midnight and forward again lands on the same stamp.
    QCOMPARE(b.addMSecs(-window).addMSecs(window), b);
}

void TestStroke::listSearchUsesValueEquality()
{
    const Stroke a = makePathStroke(polyline({{0, 0}, {1, 1}}));
    const Stroke b = makePathStroke(polyline({{0, 0}, {1, 1}}));
    const Stroke aSub = a.subStroke(0, 1);
    const QList<Stroke> list{b, a, b};
    QCOMPARE(list.indexOf(aSub), 1);
    QCOMPARE(list.indexOf(b, 1), 2);
    QCOMPARE(list.indexOf(b, -1), 2);
    QCOMPARE(list.indexOf(a, -9), 1);
    QVERIFY(!list.contains(makePointRowStroke(1)));
}

void TestStroke::sequenceNumbersUniqueAcrossThreads()
{
    constexpr int perThread = 5000;
    QList<QList<int>> drawn(4);
    QList<QThread *> threads;
    for (QList<int> &numbers : drawn) {
        threads << QThread::create([&numbers] {
            for (int i = 0; i < perThread; ++i)
                numbers << makePointRowStroke(1).stamp().sequence;
        });
    }
    for (QThread *t : threads)
        t->start();
    for (QThread *t : threads) {
        t->wait();
        delete t;
    }
    QSet<int> unique;
    int highest = -1;
    for (const QList<int> &numbers : drawn) {
        for (int n : numbers) {
            unique.insert(n);
            highest = qMax(highest, n);
        }
    }
    QCOMPARE(unique.size(), 4 * perThread);
    QCOMPARE(StrokeStamp::now().sequence, highest);
}

QTEST_GUILESS_MAIN(TestStroke)
#include "tst_stroke.moc"
