#include "oraclefixtures.h"
#include "pad/editrequest.h"
#include "pad/gesturecandidate.h"
#include "pad/oraclegeometry.h"

#include <QtTest>

using namespace oraclefixtures;

namespace {

bool near(double a, double b)
{
    return qAbs(a - b) < 1e-4;
}

const QRectF word(0, 0, 100, 50);

} // namespace

class TestOracleGeometry : public QObject
{
    Q_OBJECT
private slots:
    void ramp_data();
    void ramp();
    void coveredExtent_data();
    void coveredExtent();
    void features_data();
    void features();
    void degenerateInkGivesFiniteFeatures_data();
    void degenerateInkGivesFiniteFeatures();
    void gapBand_data();
    void gapBand();
    void gapCoverOfNeighbours();
    void segmentCrossing_data();
    void segmentCrossing();
    void shapeCrossings_data();
    void shapeCrossings();
    void lineTests_data();
    void lineTests();
    void targetsAndNeighbours();
    void recentStamps_data();
    void recentStamps();
};

void TestOracleGeometry::ramp_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("centre");
    QTest::addColumn<float>("halfWidth");
    QTest::addColumn<float>("expected");
    // Each centre and half width the oracles score with, at, below and above its bounds.
    const QList<QPair<float, float>> ramps{{0.8f, 0.1f}, {0.95f, 0.05f}, {1.35f, 0.1f},
                                           {0.7f, 0.05f}, {0.9f, 0.05f}};
    for (const auto &[c, h] : ramps) {
        QTest::addRow("%g/%g below", c, h) << c - h - 0.001f << c << h << 0.0f;
        QTest::addRow("%g/%g lower bound", c, h) << c - h << c << h << 0.0f;
        QTest::addRow("%g/%g centre", c, h) << c << c << h << 0.5f;
        QTest::addRow("%g/%g upper bound", c, h) << c + h << c << h << 1.0f;
        QTest::addRow("%g/%g above", c, h) << c + h + 0.001f << c << h << 1.0f;
    }
    QTest::newRow("0.7 against 0.8/0.1") << 0.7f << 0.8f << 0.1f << 0.0f;
    QTest::newRow("0.95 against 0.8/0.1") << 0.95f << 0.8f << 0.1f << 1.0f;
    QTest::newRow("quarter way") << 0.75f << 0.8f << 0.1f << 0.25f;
}

void TestOracleGeometry::ramp()
{
    QFETCH(float, value);
    QFETCH(float, centre);
    QFETCH(float, halfWidth);
    QFETCH(float, expected);
    const float r = linearRamp(value, centre, halfWidth);
    QVERIFY2(near(r, expected), qPrintable(QString::number(r, 'g', 9)));
    QVERIFY(r >= 0.0f && r <= 1.0f);
}

void TestOracleGeometry::coveredExtent_data()
{
    QTest::addColumn<QPainterPath>("path");
    QTest::addColumn<QRectF>("q");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    const QRectF q(0, 0, 20, 10);
    QTest::newRow("through, capped at the width")
        << polyline({{-10, 5}, {30, 5}}) << q << 20.0 << 1.0;
    QTest::newRow("one segment between two outside points")
        << polyline({{-5, 2}, {25, 8}}) << q << 20.0 << 4.0;
    QTest::newRow("vertical piece of zero width covers one unit")
        << polyline({{5, -5}, {5, 15}}) << q << 1.0 << 10.0;
    QTest::newRow("starts inside, leaves on the right")
        << polyline({{4, 5}, {12, 5}, {40, 5}}) << q << 16.0 << 1.0;
    QTest::newRow("extent truncated to whole units")
        << polyline({{2.7, 5}, {5.2, 5}}) << q << 3.0 << 1.0;
    QTest::newRow("two pieces apart add up")
        << polyline({{1, 5}, {4, 5}, {4, 30}, {10, 30}, {10, 5}, {15, 5}}) << q << 8.0 << 5.0;
    QTest::newRow("overlapping pieces join")
        << polyline({{0, 5}, {10, 5}, {10, 30}, {5, 30}, {5, 5}, {15, 5}}) << q << 15.0
        << 5.0;
    QTest::newRow("dead straight stroke on the top edge")
        << polyline({{-10, 0}, {30, 0}}) << q << 20.0 << 1.0;
    QTest::newRow("beside the rectangle") << polyline({{30, 0}, {40, 10}}) << q << 0.0 << 0.0;
    QPainterPath twoStrokes = polyline({{0, 5}, {6, 5}});
    twoStrokes.moveTo(30, 5);
    twoStrokes.lineTo(40, 5);
    QTest::newRow("no piece joins two strokes") << twoStrokes << q << 6.0 << 1.0;
}

void TestOracleGeometry::coveredExtent()
{
    QFETCH(QPainterPath, path);
    QFETCH(QRectF, q);
    QFETCH(double, width);
    QFETCH(double, height);
    const QRectF bounds = path.controlPointRect();
    QCOMPARE(coveredWidth(path, bounds, q), width);
    QCOMPARE(coveredHeight(path, bounds, q), height);
}

void TestOracleGeometry::features_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("points");
    QTest::addColumn<float>("bandCover");
    QTest::addColumn<float>("spanCover");
    QTest::addColumn<float>("heightCover");
    QTest::addColumn<float>("boxOverlap");
    QTest::addColumn<float>("pointRatio");
    QTest::addColumn<float>("densityRatio");
    // The word is the outline of (0, 0, 100, 50), 5 points: its band runs
    // from y -10 to 60, its span from -25 to 75, its height band from x -20 to
    // 120. Straight strokes are 1 unit thick. densityRatio = pointRatio^2 *
    // 100 * 50 / (gesture width * height).
    QTest::newRow("strike through") << QPointF(-20, 25) << QPointF(120, 25) << 20 << 1.0f
                                    << 1.0f << 0.02f << 0.02f << 4.0f << float(16 * 5000.0 / 140);
    QTest::newRow("on the band's top edge") << QPointF(-20, -10) << QPointF(120, -10) << 5
                                            << 1.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                            << float(5000.0 / 140);
    QTest::newRow("just above the band") << QPointF(-20, -10.5) << QPointF(120, -10.5) << 5
                                         << 0.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                         << float(5000.0 / 140);
    QTest::newRow("on the span's top edge") << QPointF(-20, -25) << QPointF(120, -25) << 5
                                            << 0.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                            << float(5000.0 / 140);
    QTest::newRow("just above the span") << QPointF(-20, -25.5) << QPointF(120, -25.5) << 5
                                         << 0.0f << 0.0f << 0.0f << 0.0f << 1.0f
                                         << float(5000.0 / 140);
    QTest::newRow("on the band's bottom edge") << QPointF(-20, 60) << QPointF(120, 60) << 5
                                               << 1.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                               << float(5000.0 / 140);
    QTest::newRow("just below the band") << QPointF(-20, 60.5) << QPointF(120, 60.5) << 5
                                         << 0.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                         << float(5000.0 / 140);
    QTest::newRow("on the span's bottom edge") << QPointF(-20, 75) << QPointF(120, 75) << 5
                                               << 0.0f << 1.0f << 0.0f << 0.0f << 1.0f
                                               << float(5000.0 / 140);
    QTest::newRow("just below the span") << QPointF(-20, 75.5) << QPointF(120, 75.5) << 5
                                         << 0.0f << 0.0f << 0.0f << 0.0f << 1.0f
                                         << float(5000.0 / 140);
    QTest::newRow("band 0.7") << QPointF(0, 25) << QPointF(70, 25) << 5 << 0.7f << 0.7f
                              << 0.02f << 0.014f << 1.0f << float(5000.0 / 70);
    QTest::newRow("band 0.8") << QPointF(0, 25) << QPointF(80, 25) << 5 << 0.8f << 0.8f
                              << 0.02f << 0.016f << 1.0f << float(5000.0 / 80);
    QTest::newRow("band 0.9") << QPointF(0, 25) << QPointF(90, 25) << 5 << 0.9f << 0.9f
                              << 0.02f << 0.018f << 1.0f << float(5000.0 / 90);
    QTest::newRow("vertical through") << QPointF(50, -20) << QPointF(50, 70) << 5 << 0.01f
                                      << 0.01f << 1.0f << 0.01f << 1.0f << float(5000.0 / 90);
    QTest::newRow("on the height band's edge") << QPointF(120, -20) << QPointF(120, 70) << 5
                                               << 0.0f << 0.0f << 1.0f << 0.0f << 1.0f
                                               << float(5000.0 / 90);
    QTest::newRow("just beyond the height band") << QPointF(120.5, -20) << QPointF(120.5, 70)
                                                 << 5 << 0.0f << 0.0f << 0.0f << 0.0f << 1.0f
                                                 << float(5000.0 / 90);
    QTest::newRow("on the height band's left edge") << QPointF(-20, -20) << QPointF(-20, 70)
                                                    << 5 << 0.0f << 0.0f << 1.0f << 0.0f
                                                    << 1.0f << float(5000.0 / 90);
    QTest::newRow("just before the height band") << QPointF(-20.5, -20) << QPointF(-20.5, 70)
                                                 << 5 << 0.0f << 0.0f << 0.0f << 0.0f << 1.0f
                                                 << float(5000.0 / 90);
    QTest::newRow("overlap 0.65") << QPointF(0, 0) << QPointF(65, 50) << 10 << 0.65f << 0.65f
                                  << 1.0f << 0.65f << 2.0f << float(4 * 5000.0 / 3250);
    QTest::newRow("overlap 0.7") << QPointF(0, 0) << QPointF(70, 50) << 10 << 0.7f << 0.7f
                                 << 1.0f << 0.7f << 2.0f << float(4 * 5000.0 / 3500);
    QTest::newRow("overlap 0.75") << QPointF(0, 0) << QPointF(75, 50) << 10 << 0.75f << 0.75f
                                  << 1.0f << 0.75f << 2.0f << float(4 * 5000.0 / 3750);
    QTest::newRow("point ratio with a fraction") << QPointF(0, 0) << QPointF(75, 50) << 9
                                                 << 0.75f << 0.75f << 1.0f << 0.75f << 1.8f
                                                 << float(1.8 * 1.8 * 5000.0 / 3750);
    QTest::newRow("fewer points than the word") << QPointF(0, 0) << QPointF(75, 50) << 4
                                                << 0.75f << 0.75f << 1.0f << 0.75f << 0.8f
                                                << float(0.8 * 0.8 * 5000.0 / 3750);
}

void TestOracleGeometry::features()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(int, points);
    QFETCH(float, bandCover);
    QFETCH(float, spanCover);
    QFETCH(float, heightCover);
    QFETCH(float, boxOverlap);
    QFETCH(float, pointRatio);
    QFETCH(float, densityRatio);
    GestureCandidate target(infoOf({outline(word)}, "a"));
    const GestureCandidate gesture(infoOf({line(from, to, points)}));
    target.measure(gesture, false);
    QVERIFY2(near(target.bandCover, bandCover), qPrintable(QString::number(target.bandCover)));
    QVERIFY2(near(target.spanCover, spanCover), qPrintable(QString::number(target.spanCover)));
    QVERIFY2(near(target.heightCover, heightCover),
             qPrintable(QString::number(target.heightCover)));
    QVERIFY2(near(target.boxOverlap, boxOverlap),
             qPrintable(QString::number(target.boxOverlap)));
    QCOMPARE(target.pointRatio, pointRatio);
    QVERIFY2(near(target.densityRatio, densityRatio),
             qPrintable(QString::number(target.densityRatio)));
    QCOMPARE(target.gapCover, 0.0f);
    QCOMPARE(target.crossings, 0);
}

void TestOracleGeometry::degenerateInkGivesFiniteFeatures_data()
{
    QTest::addColumn<InkRangeInfo>("target");
    QTest::addColumn<InkRangeInfo>("gesture");
    QTest::addColumn<float>("pointRatio");
    const InkRangeInfo strike = infoOf({line({-10, 20}, {60, 20}, 8)});
    QTest::newRow("ink without points") << InkRangeInfo(InkRange(), "a") << strike << 3.0f;
    QTest::newRow("ink without width") << infoOf({line({20, 0}, {20, 40}, 4)}, "l") << strike
                                       << 2.0f;
    QTest::newRow("ink without height") << infoOf({line({0, 20}, {40, 20}, 4)}, "-")
                                        << strike << 2.0f;
    QTest::newRow("gesture without points")
        << infoOf({outline(word)}, "a") << InkRangeInfo(InkRange(), "#") << 0.0f;
}

void TestOracleGeometry::degenerateInkGivesFiniteFeatures()
{
    QFETCH(InkRangeInfo, target);
    QFETCH(InkRangeInfo, gesture);
    QFETCH(float, pointRatio);
    GestureCandidate candidate(target);
    candidate.measure(GestureCandidate(gesture), true);
    const float covers[] = {candidate.bandCover, candidate.spanCover, candidate.heightCover,
                            candidate.boxOverlap};
    for (float f : covers)
        QVERIFY(qIsFinite(f) && f >= 0.0f && f <= 1.0f);
    QVERIFY(qIsFinite(candidate.sizePerPoint) && qIsFinite(candidate.densityRatio));
    QCOMPARE(candidate.pointRatio, pointRatio);
}

void TestOracleGeometry::gapBand_data()
{
    QTest::addColumn<QRectF>("left");
    QTest::addColumn<QRectF>("right");
    QTest::addColumn<QRectF>("band");
    QTest::newRow("30 high grows to 130")
        << QRectF(0, 10, 40, 30) << QRectF(60, 20, 40, 20) << QRectF(20, -40, 60, 130);
    QTest::newRow("49 high grows to 149")
        << QRectF(0, 0, 40, 49) << QRectF(60, 0, 40, 49) << QRectF(20, -50, 60, 149);
    QTest::newRow("50 high stays")
        << QRectF(0, 0, 40, 50) << QRectF(60, 0, 40, 30) << QRectF(20, 0, 60, 50);
    QTest::newRow("united height counts")
        << QRectF(0, 0, 40, 30) << QRectF(60, 40, 40, 30) << QRectF(20, 0, 60, 70);
}

void TestOracleGeometry::gapBand()
{
    QFETCH(QRectF, left);
    QFETCH(QRectF, right);
    QFETCH(QRectF, band);
    QCOMPARE(::gapBand(left, right), band);
}

void TestOracleGeometry::gapCoverOfNeighbours()
{
    GestureCandidate left(infoOf({outline(QRectF(0, 0, 40, 60))}, "a"));
    GestureCandidate right(infoOf({outline(QRectF(60, 0, 40, 60))}, "b"));
    const struct
    {
        double top, bottom;
        float cover;
    } rows[] = {{-10, 70, 1.0f}, {0, 54, 0.9f}, {0, 30, 0.5f}, {70, 90, 0.0f}};
    for (const auto &row : rows) {
        measureGap(left, right, GestureCandidate(infoOf({line({50, row.top}, {50, row.bottom})})));
        QVERIFY2(near(left.gapCover, row.cover), qPrintable(QString::number(left.gapCover)));
        QCOMPARE(right.gapCover, left.gapCover);
    }
}

void TestOracleGeometry::segmentCrossing_data()
{
    QTest::addColumn<QPointF>("a0");
    QTest::addColumn<QPointF>("a1");
    QTest::addColumn<bool>("aFirst");
    QTest::addColumn<QPointF>("b0");
    QTest::addColumn<QPointF>("b1");
    QTest::addColumn<bool>("bFirst");
    QTest::addColumn<bool>("cross");
    const QPointF o(0, 0), e(10, 0);
    QTest::newRow("proper crossing") << o << e << true << QPointF(5, -5) << QPointF(5, 5)
                                     << true << true;
    QTest::newRow("parallel") << o << e << true << QPointF(0, 5) << QPointF(10, 5) << true
                              << false;
    QTest::newRow("beyond the end") << o << e << true << QPointF(15, -5) << QPointF(15, 5)
                                    << true << false;
    QTest::newRow("first segment touching with its start") << o << e << true << QPointF(5, 0)
                                                           << QPointF(5, 5) << true << false;
    QTest::newRow("later segment touching with its start") << o << e << true << QPointF(5, 0)
                                                           << QPointF(5, 5) << false << true;
    QTest::newRow("later segment touching with its end") << o << e << true << QPointF(5, 5)
                                                         << QPointF(5, 0) << false << false;
    QTest::newRow("start on the other's start") << o << e << true << o << QPointF(0, 5)
                                                << false << true;
    QTest::newRow("start on the other's end") << o << e << true << e << QPointF(10, 5)
                                              << false << false;
    QTest::newRow("start on a vertical segment") << QPointF(0, 0) << QPointF(0, 10) << true
                                                 << QPointF(0, 4) << QPointF(6, 4) << false
                                                 << true;
    QTest::newRow("segments end to end") << o << e << true << e << QPointF(20, 0) << true
                                         << false;
}

void TestOracleGeometry::segmentCrossing()
{
    QFETCH(QPointF, a0);
    QFETCH(QPointF, a1);
    QFETCH(bool, aFirst);
    QFETCH(QPointF, b0);
    QFETCH(QPointF, b1);
    QFETCH(bool, bFirst);
    QFETCH(bool, cross);
    QCOMPARE(segmentsCross(a0, a1, aFirst, b0, b1, bFirst), cross);
    QCOMPARE(segmentsCross(b0, b1, bFirst, a0, a1, aFirst), cross);
}

void TestOracleGeometry::shapeCrossings_data()
{
    QTest::addColumn<QList<Stroke>>("ink");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QList<QPointF>>("gesture");
    QTest::addColumn<int>("crossings");
    const QRectF r(0, 0, 40, 40);
    const QList<Stroke> typeset{makeBoxStroke(r, 0)};
    const QList<QPointF> across{{-10, 20}, {50, 20}};
    QTest::newRow("typeset box: both diagonals") << typeset << "3" << across << 2;
    QTest::newRow("typeset root sign: its hook") << typeset << "\u221A" << across << 1;
    QTest::newRow("typeset box missed") << typeset << "3" << QList<QPointF>{{60, 0}, {60, 40}}
                                        << 0;
    QTest::newRow("pen ink: its own path") << QList<Stroke>{outline(r)} << "o" << across << 2;
    QTest::newRow("zigzag over pen ink")
        << QList<Stroke>{outline(r)} << "o"
        << QList<QPointF>{{-10, 10}, {50, 10}, {-10, 30}, {50, 30}} << 6;
    QTest::newRow("mixed ink uses its path")
        << QList<Stroke>{makeBoxStroke(r, 0), line({0, 45}, {40, 45})} << "3"
        << QList<QPointF>{{20, -10}, {20, 50}} << 2;
}

void TestOracleGeometry::shapeCrossings()
{
    QFETCH(QList<Stroke>, ink);
    QFETCH(QString, label);
    QFETCH(QList<QPointF>, gesture);
    QFETCH(int, crossings);
    GestureCandidate target(infoOf(ink, label));
    const GestureCandidate g(infoOf({pen(gesture)}));
    QCOMPARE(target.countCrossingsWith(g), crossings);
    target.measure(g, true);
    QCOMPARE(target.crossings, crossings);
    target.measure(g, false);
    QCOMPARE(target.crossings, 0);
}

void TestOracleGeometry::lineTests_data()
{
    QTest::addColumn<QRectF>("gesture");
    QTest::addColumn<QRectF>("ink");
    QTest::addColumn<bool>("sameLine");
    QTest::addColumn<bool>("afterLeftToRight");
    QTest::addColumn<bool>("afterRightToLeft");
    QTest::addColumn<bool>("inBand");
    const QRectF ink(100, 100, 50, 40);
    QTest::newRow("right of the ink") << QRectF(160, 110, 20, 20) << ink << true << true
                                      << false << false;
    QTest::newRow("left of the ink") << QRectF(60, 110, 20, 20) << ink << true << false << true
                                     << false;
    QTest::newRow("touching the right edge") << QRectF(150, 110, 20, 20) << ink << true
                                             << false << false << true;
    QTest::newRow("below, within half the height") << QRectF(110, 150, 20, 10) << ink << false
                                                   << false << false << true;
    QTest::newRow("below, on the band's edge") << QRectF(110, 160, 20, 10) << ink << false
                                               << false << false << true;
    QTest::newRow("below the band") << QRectF(110, 161, 20, 10) << ink << false << false
                                    << false << false;
    QTest::newRow("touching the top") << QRectF(110, 80, 20, 20) << ink << true << false
                                      << false << true;
    QTest::newRow("dead straight stroke through the ink") << QRectF(90, 120, 80, 0) << ink
                                                          << true << false << false << true;
}

void TestOracleGeometry::lineTests()
{
    QFETCH(QRectF, gesture);
    QFETCH(QRectF, ink);
    QFETCH(bool, sameLine);
    QFETCH(bool, afterLeftToRight);
    QFETCH(bool, afterRightToLeft);
    QFETCH(bool, inBand);
    QCOMPARE(onSameLine(gesture, ink), sameLine);
    QCOMPARE(liesAfter(gesture, ink, WritingDirection::LeftToRight), afterLeftToRight);
    QCOMPARE(liesAfter(gesture, ink, WritingDirection::RightToLeft), afterRightToLeft);
    QCOMPARE(inLineBand(gesture, ink), inBand);
}

void TestOracleGeometry::targetsAndNeighbours()
{
    EditRequest r(2, 0, 1);
    // Centroids: the gesture's (80, 30), an outline's 16 right of its left edge.
    r.setGesture(infoOf({line({-10, 30}, {170, 30})}));
    const QList<InkRangeInfo> pieces{
        infoOf({outline({0, 10, 40, 40})}, "a"),    // left, 68 away
        infoOf({outline({40, 10, 40, 40})}, "b"),   // left, 28 away
        infoOf({outline({90, 10, 40, 40})}, "c"),   // right, 30 away
        infoOf({outline({90, 10, 40, 40})}, "c2"),  // as near: the first stays
        infoOf({outline({100, 200, 40, 40})}, "d"), // another line
    };
    for (const InkRangeInfo &info : pieces)
        r.addTarget(info);
    QCOMPARE(r.nearTargets().size(), size_t(4));
    QCOMPARE(r.farTargets().size(), size_t(1));
    QCOMPARE(r.farTargets().front()->info.label(), QStringLiteral("d"));
    QCOMPARE(r.leftNeighbour()->info.label(), QStringLiteral("b"));
    QCOMPARE(r.rightNeighbour()->info.label(), QStringLiteral("c"));
    QCOMPARE(r.targets().back()->info.label(), QStringLiteral("d"));

    EditRequest far(2, 0, 1);
    far.setGesture(infoOf({line({2000, 0}, {2000, 60})}));
    far.addTarget(pieces.first());
    QVERIFY2(!far.leftNeighbour(), "beyond 1000 units no piece is a neighbour");
}

void TestOracleGeometry::recentStamps_data()
{
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<QList<int>>("ages");  // ms before the gesture, per near target
    QTest::addColumn<QList<int>>("stamps"); // the slots, as ages; -1 the starting mark
    QTest::addColumn<QList<bool>>("recent");
    QTest::newRow("two slots, in writing order") << 2 << QList<int>{3000, 1200, 400}
                                                 << QList<int>{400, 1200}
                                                 << QList<bool>{false, true, true};
    QTest::newRow("two slots, one piece within the delay") << 2 << QList<int>{3000, 400}
                                                           << QList<int>{400, -1}
                                                           << QList<bool>{false, true};
    QTest::newRow("one slot") << 1 << QList<int>{1200, 400} << QList<int>{400}
                              << QList<bool>{false, true};
    QTest::newRow("older piece listed last is not pushed") << 2 << QList<int>{400, 1200}
                                                           << QList<int>{400, -1}
                                                           << QList<bool>{true, true};
    QTest::newRow("nothing recent") << 2 << QList<int>{5000} << QList<int>{-1, -1}
                                    << QList<bool>{false};
}

void TestOracleGeometry::recentStamps()
{
    QFETCH(int, slotCount);
    QFETCH(QList<int>, ages);
    QFETCH(QList<int>, stamps);
    QFETCH(QList<bool>, recent);
    const StrokeStamp now{QTime(12, 0), 100};
    constexpr int delay = 1500;
    EditRequest r(slotCount, 0, 1);
    Stroke g = line({0, 20}, {100, 20});
    g.setStamp(now);
    r.setGesture(infoOf({g}));
    for (int i = 0; i < ages.size(); ++i) {
        Stroke s = outline({i * 30.0, 0, 20, 40});
        s.setStamp({now.time.addMSecs(-ages.at(i)), i});
        r.addTarget(infoOf({s}, "x"));
    }
    r.fillRecentStamps(delay);
    QCOMPARE(r.recentStamps().size(), slotCount);
    for (int i = 0; i < slotCount; ++i) {
        const int age = stamps.at(i) < 0 ? delay : stamps.at(i);
        QCOMPARE(r.recentStamps().at(i).time, now.time.addMSecs(-age));
    }
    for (size_t i = 0; i < r.nearTargets().size(); ++i)
        QCOMPARE(r.isRecent(*r.nearTargets().at(i)), recent.at(int(i)));
}

QTEST_MAIN(TestOracleGeometry)
#include "tst_oraclegeometry.moc"
