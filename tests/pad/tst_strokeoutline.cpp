#include "pad/strokeoutline.h"

#include <QtTest>

class TestStrokeOutline : public QObject
{
    Q_OBJECT
private slots:
    void onePointIsARoundDot_data();
    void onePointIsARoundDot();
    void outlineSurroundsTheLine();
    void smoothingKeepsEndsAndStaysNear();
    void smoothingFallsBackOnFewSamples();
    void smoothingGivesUpOnEqualTimes();
};

void TestStrokeOutline::onePointIsARoundDot_data()
{
    QTest::addColumn<double>("radius");
    QTest::addColumn<int>("minSides");
    QTest::newRow("zero radius") << 0.0 << 6;
    QTest::newRow("tiny") << 0.01 << 6;
    QTest::newRow("pen") << 15.0 << 20;
    QTest::newRow("negative transform") << -15.0 << 20;
}

void TestStrokeOutline::onePointIsARoundDot()
{
    QFETCH(double, radius);
    QFETCH(int, minSides);
    const QPolygonF dot = StrokeOutline::build({{QPointF(5, 5), 1.0, 0.0}}, radius);
    QVERIFY(dot.size() - 1 >= minSides);
    QCOMPARE(dot.first(), dot.last());
    for (const QPointF &p : dot)
        QVERIFY(qAbs(QLineF(p, QPointF(5, 5)).length() - qAbs(radius)) < 1e-9);
}

void TestStrokeOutline::outlineSurroundsTheLine()
{
    const QList<CentrePoint> line{{{0, 0}, 1.0, 0}, {{50, 0}, 1.0, 0.5}, {{50, 50}, 1.0, 1.0}};
    const QPolygonF outline = StrokeOutline::build(line, 5.0);
    const QRectF box = outline.boundingRect();
    QVERIFY(qAbs(box.left() + 5) < 0.5 && qAbs(box.top() + 5) < 0.5);
    QVERIFY(qAbs(box.right() - 55) < 0.5 && qAbs(box.bottom() - 55) < 0.5);
    QVERIFY(outline.containsPoint(QPointF(25, 0), Qt::WindingFill));
    QVERIFY(outline.containsPoint(QPointF(54, -4), Qt::WindingFill) == false);
    QVERIFY(outline.containsPoint(QPointF(53, -3), Qt::WindingFill));
    QVERIFY(!outline.containsPoint(QPointF(25, 10), Qt::WindingFill));
}

void TestStrokeOutline::smoothingKeepsEndsAndStaysNear()
{
    QList<CentrePoint> samples;
    for (int i = 0; i < 20; ++i)
        samples.append({QPointF(10.0 * i, i % 2 ? 3.0 : -3.0), 1.0, 0.5 * i});
    const QList<CentrePoint> line = StrokeSmoother(1.0, 1.0 / 64).smooth(samples);
    QVERIFY(line.size() >= samples.size() - 1);
    QVERIFY(QLineF(line.first().point, samples.first().point).length() < 3.0);
    QVERIFY(QLineF(line.last().point, samples.last().point).length() < 3.0);
    double peak = 0.0;
    for (const CentrePoint &p : line) {
        QVERIFY(p.point.x() > -1.0 && p.point.x() < 191.0);
        peak = qMax(peak, qAbs(p.point.y()));
    }
    // The zigzag is smoothed, not amplified.
    QVERIFY(peak < 3.0);
}

void TestStrokeOutline::smoothingFallsBackOnFewSamples()
{
    const QList<CentrePoint> samples{{{0, 0}, 0.1, 0}, {{5, 5}, 1.0, 0.5}, {{10, 0}, 0.1, 1.0}};
    const QList<CentrePoint> line = StrokeSmoother(1.0, 1.0 / 64).smooth(samples);
    QCOMPARE(line.size(), 3);
    QCOMPARE(line[1].point, QPointF(5, 5));
}

void TestStrokeOutline::smoothingGivesUpOnEqualTimes()
{
    QList<CentrePoint> samples;
    for (int i = 0; i < 6; ++i)
        samples.append({QPointF(i, i * i), 1.0, 1.0});
    QCOMPARE(StrokeSmoother(1.0, 1.0 / 64).smooth(samples).size(), 6);
}

QTEST_GUILESS_MAIN(TestStrokeOutline)
#include "tst_strokeoutline.moc"
