#include "tessel/canvas.h"
#include "tessel/ink.h"
#include "tessel/matcher.h"
#include "tessel/stroke.h"

#include <QImage>
#include <QtTest>

#include <cmath>

using tessel::Canvas;

// The anti-aliased canvas: transform, strokes, fills, blending, the painted rectangle,
// backups and the template chart.
class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void fitViewIgnoresEmptyRectangles_data();
    void fitViewIgnoresEmptyRectangles();
    void fitViewCentres();
    void singlePointPaintsRoundDot_data();
    void singlePointPaintsRoundDot();
    void strokeCoversItsWidthAtJoins_data();
    void strokeCoversItsWidthAtJoins();
    void blendsByCoverage();
    void fillRules_data();
    void fillRules();
    void paintedRectHoldsEverything();
    void restoreUndoesPainting();
    void drawsTemplateChart();
};

namespace {

QImage blankImage(int width, int height, const QColor &background = Qt::white)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(background);
    return image;
}

Canvas canvasOn(QImage &image)
{
    return Canvas(image.bits(), int(image.bytesPerLine()), image.width(), image.height());
}

double distanceToSegment(double px, double py, const QPointF &a, const QPointF &b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x()) * dx + (py - a.y()) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - a.x() - t * dx, py - a.y() - t * dy);
}

double distanceToPolyline(double px, double py, const QVector<QPointF> &points)
{
    double best = std::hypot(px - points[0].x(), py - points[0].y());
    for (int i = 1; i < points.size(); ++i)
        best = std::min(best, distanceToSegment(px, py, points[i - 1], points[i]));
    return best;
}

}

void TestCanvas::fitViewIgnoresEmptyRectangles_data()
{
    QTest::addColumn<QRectF>("edges"); // x0, y0 as left/top, x1, y1 as width/height + origin
    QTest::newRow("zero width") << QRectF(QPointF(2, 0), QPointF(2, 5));
    QTest::newRow("zero height") << QRectF(QPointF(0, 3), QPointF(4, 3));
    QTest::newRow("inverted x") << QRectF(QPointF(5, 0), QPointF(1, 5));
    QTest::newRow("inverted y") << QRectF(QPointF(0, 5), QPointF(4, -1));
    QTest::newRow("nan") << QRectF(QPointF(0, 0), QPointF(qQNaN(), 5));
}

void TestCanvas::fitViewIgnoresEmptyRectangles()
{
    QFETCH(QRectF, edges);
    QImage image = blankImage(100, 60);
    Canvas canvas = canvasOn(image);
    canvas.setTransform(3, 7, -2);
    canvas.fitView(edges.left(), edges.top(), edges.right(), edges.bottom(), 8);
    QCOMPARE(canvas.scale(), 3.0);
    QCOMPARE(canvas.offsetX(), 7.0);
    QCOMPARE(canvas.offsetY(), -2.0);
}

void TestCanvas::fitViewCentres()
{
    QImage image = blankImage(100, 60);
    Canvas canvas = canvasOn(image);
    // 84 / 10 across is tighter than 44 / 5 down: the width fits, the height is centred.
    canvas.fitView(0, -3, 10, 2, 8);
    QCOMPARE(canvas.scale(), 8.4);
    const tessel::Point topLeft = canvas.toDevice(0, -3);
    const tessel::Point bottomRight = canvas.toDevice(10, 2);
    QCOMPARE(topLeft.x, 8.0);
    QCOMPARE(bottomRight.x, 92.0);
    QCOMPARE(topLeft.y + bottomRight.y, 60.0);
}

void TestCanvas::singlePointPaintsRoundDot_data()
{
    QTest::addColumn<double>("width");
    QTest::newRow("3 px") << 3.0;
    QTest::newRow("10 px") << 10.0;
    QTest::newRow("25 px") << 25.0;
}

void TestCanvas::singlePointPaintsRoundDot()
{
    QFETCH(double, width);
    QImage image = blankImage(64, 64);
    Canvas canvas = canvasOn(image);
    canvas.setLineWidth(width);
    const double cx = 30.3, cy = 31.6, r = width / 2;
    canvas.moveTo(cx, cy);
    canvas.strokePath();

    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int value = qRed(image.pixel(x, y));
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d < r - 1)
                QVERIFY2(value == 0, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
            if (d > r + 1)
                QVERIFY2(value == 255, qPrintable(QStringLiteral("spill at %1,%2").arg(x).arg(y)));
            ink += (255 - value) / 255.0;
        }
    }
    QVERIFY2(std::abs(ink - M_PI * r * r) < 0.12 * M_PI * r * r, qPrintable(QString::number(ink)));
}

void TestCanvas::strokeCoversItsWidthAtJoins_data()
{
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::newRow("straight") << QVector<QPointF>{{10, 20}, {50, 30}};
    QTest::newRow("right angle left") << QVector<QPointF>{{10, 10}, {40, 10}, {40, 50}};
    QTest::newRow("right angle right") << QVector<QPointF>{{40, 50}, {40, 10}, {10, 10}};
    QTest::newRow("sharp v") << QVector<QPointF>{{10, 10}, {30, 50}, {50, 10}};
    QTest::newRow("zigzag") << QVector<QPointF>{{8, 30}, {20, 12}, {32, 48}, {44, 12}, {56, 30}};
    QTest::newRow("turn back") << QVector<QPointF>{{10, 30}, {50, 30}, {20, 31}};
}

// Holes at inner joins or missing outer arcs show as uncovered pixels near the path.
void TestCanvas::strokeCoversItsWidthAtJoins()
{
    QFETCH(QVector<QPointF>, points);
    QImage image = blankImage(64, 64);
    Canvas canvas = canvasOn(image);
    const double width = 7;
    canvas.setLineWidth(width);
    canvas.moveTo(points[0].x(), points[0].y());
    for (int i = 1; i < points.size(); ++i)
        canvas.lineTo(points[i].x(), points[i].y());
    canvas.strokePath();

    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int value = qRed(image.pixel(x, y));
            const double d = distanceToPolyline(x + 0.5, y + 0.5, points);
            if (d < width / 2 - 1)
                QVERIFY2(value == 0, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
            if (d > width / 2 + 1)
                QVERIFY2(value == 255, qPrintable(QStringLiteral("spill at %1,%2").arg(x).arg(y)));
        }
    }
}

// A fully covered pixel takes the colour exactly; a half covered one is the truncated mean.
void TestCanvas::blendsByCoverage()
{
    const QColor background(37, 111, 200);
    QImage image = blankImage(16, 8, background);
    Canvas canvas = canvasOn(image);
    canvas.setColor(12, 250, 99);
    canvas.fillMoveTo(2.5, 2);
    canvas.fillLineTo(10, 2);
    canvas.fillLineTo(10, 6);
    canvas.fillLineTo(2.5, 6);
    canvas.fill();

    QCOMPARE(image.pixelColor(5, 3), QColor(12, 250, 99));
    QCOMPARE(image.pixelColor(9, 5), QColor(12, 250, 99));
    QCOMPARE(image.pixelColor(2, 3), QColor((37 + 12) / 2, (111 + 250) / 2, (200 + 99) / 2));
    QCOMPARE(image.pixelColor(10, 3), background);
    QCOMPARE(image.pixelColor(5, 1), background);
    QCOMPARE(image.pixelColor(5, 6), background);
}

void TestCanvas::fillRules_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("overlap");
    QTest::newRow("non-zero fills the overlap") << int(Canvas::NonZero) << 0;
    QTest::newRow("even-odd leaves it") << int(Canvas::EvenOdd) << 255;
}

void TestCanvas::fillRules()
{
    QFETCH(int, rule);
    QFETCH(int, overlap);
    QImage image = blankImage(32, 32);
    Canvas canvas = canvasOn(image);
    for (int origin : {4, 12}) {
        canvas.fillMoveTo(origin, origin);
        canvas.fillLineTo(origin + 14, origin);
        canvas.fillLineTo(origin + 14, origin + 14);
        canvas.fillLineTo(origin, origin + 14);
    }
    canvas.fill(Canvas::FillRule(rule));
    QCOMPARE(qRed(image.pixel(6, 6)), 0);
    QCOMPARE(qRed(image.pixel(24, 24)), 0);
    QCOMPARE(qRed(image.pixel(15, 15)), overlap);
    QCOMPARE(qRed(image.pixel(6, 24)), 255);
}

void TestCanvas::paintedRectHoldsEverything()
{
    QImage image = blankImage(80, 60);
    Canvas canvas = canvasOn(image);
    QVERIFY(canvas.paintedRect().isEmpty());
    canvas.setLineWidth(4);
    canvas.moveTo(10, 10);
    canvas.lineTo(30, 12);
    canvas.strokePath();
    canvas.moveTo(50, 40);
    canvas.strokePath();

    const Canvas::Rect r = canvas.paintedRect();
    QRect touched;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                touched |= QRect(x, y, 1, 1);
    QVERIFY(QRect(QPoint(r.minX, r.minY), QPoint(r.maxX, r.maxY)).contains(touched));
    QVERIFY(touched.adjusted(-1, -1, 1, 1).contains(QRect(QPoint(r.minX, r.minY), QPoint(r.maxX, r.maxY))));
    QCOMPARE(touched, QRect(QPoint(8, 8), QPoint(51, 41)));
}

void TestCanvas::restoreUndoesPainting()
{
    QImage image = blankImage(40, 40);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 6, (x + y) * 3));
    const QImage original = image.copy();
    Canvas canvas = canvasOn(image);
    canvas.setBackup(true);
    canvas.setColor(255, 0, 0);
    canvas.setLineWidth(6);
    canvas.moveTo(5, 5);
    canvas.lineTo(35, 30);
    canvas.strokePath();
    canvas.setColor(0, 0, 255);
    canvas.moveTo(5, 30);
    canvas.lineTo(35, 5);
    canvas.strokePath();
    QVERIFY(image != original);
    canvas.restore();
    QCOMPARE(image, original);

    canvas.setBackup(false);
    canvas.moveTo(20, 20);
    canvas.strokePath();
    canvas.restore();
    QVERIFY(image != original);
}

// Writes the chart to $SCRIVEL_CHART_PNG when set, for a look at it.
void TestCanvas::drawsTemplateChart()
{
    QImage image = blankImage(1600, 120);
    Canvas canvas = canvasOn(image);
    tessel::Matcher::draw(canvas);
    if (qEnvironmentVariableIsSet("SCRIVEL_CHART_PNG"))
        image.save(qEnvironmentVariable("SCRIVEL_CHART_PNG"));

    QVERIFY(canvas.scale() > 0);
    // The chart spans y from -3 to 2, filling the height but for the margin.
    QCOMPARE(canvas.toDevice(0, -3).y, 8.0);
    QCOMPARE(canvas.toDevice(0, 2).y, 112.0);
    // Centred across: nothing left of the first entry or right of the last.
    const double left = canvas.toDevice(0, 0).x;
    int black = 0, pink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            black += p == qRgb(0, 0, 0);
            pink += p == qRgb(255, 160, 160);
            if (p != qRgb(255, 255, 255))
                QVERIFY2(x >= left - 2 && x <= image.width() - left + 2,
                         qPrintable(QStringLiteral("painted outside the chart at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(black > 1000);
    QVERIFY(pink > 1000);
    // The guide lines show green in the gaps between the entries' boxes.
    for (double line : {-1.0, 0.0}) {
        const int y = int(canvas.toDevice(0, line).y);
        int green = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            green += c.green() > c.red() + 40 && c.green() > c.blue() + 40;
        }
        QVERIFY2(green > 50, qPrintable(QString::number(green)));
    }
}

QTEST_GUILESS_MAIN(TestCanvas)
#include "tst_canvas.moc"
