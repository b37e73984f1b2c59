#include "pad/strokeitem.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtTest>

class TestStrokeItem : public QObject
{
    Q_OBJECT
private slots:
    void finishGivesVerticalStrokesWidth_data();
    void finishGivesVerticalStrokesWidth();
    void strokeIsInSceneCoordinatesWithItsStamp();
    void itemFromModelStroke();
    void paintsDegenerateInput_data();
    void paintsDegenerateInput();
    void tapPaintsDotOfPenWidth_data();
    void tapPaintsDotOfPenWidth();
    void shortStrokePaintsThinner();
    void dimmedStrokeIsTranslucent();
};

static StrokeItem *written(const QList<QPointF> &points, const ItemStyle &style = ItemStyle())
{
    auto *item = new StrokeItem(style);
    item->start(points.first());
    for (int i = 1; i + 1 < points.size(); ++i)
        item->addPoint(points[i]);
    item->finish(points.last());
    return item;
}

// Renders the item alone and returns the image.
static QImage render(StrokeItem *item, const QSize &size = QSize(400, 300))
{
    QGraphicsScene scene;
    scene.addItem(item);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    painter.end();
    scene.removeItem(item);
    return image;
}

static int inkedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

void TestStrokeItem::finishGivesVerticalStrokesWidth_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<int>("elements");
    QTest::addColumn<bool>("tail");
    QTest::newRow("vertical") << QList<QPointF>{{10, 10}, {10, 20}, {10, 30}} << 4 << true;
    QTest::newRow("dot") << QList<QPointF>{{10, 10}, {10, 10}} << 2 << true;
    QTest::newRow("slanted") << QList<QPointF>{{10, 10}, {11, 20}} << 2 << false;
}

void TestStrokeItem::finishGivesVerticalStrokesWidth()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(int, elements);
    QFETCH(bool, tail);
    QScopedPointer<StrokeItem> item(written(points));
    QVERIFY(item->isClosed());
    const QPainterPath path = item->path();
    QCOMPARE(path.elementCount(), elements);
    if (tail)
        QCOMPARE(QPointF(path.elementAt(elements - 1)), points.last() + QPointF(1.0, 0.0));
}

void TestStrokeItem::strokeIsInSceneCoordinatesWithItsStamp()
{
    QGraphicsScene scene;
    StrokeItem *item = written({{0, 0}, {10, 5}, {20, 0}});
    scene.addItem(item);
    const Stroke before = item->stroke();
    QCOMPARE(before.stamp(), item->stamp());
    QCOMPARE(before.path().elementAt(1).x, 10.0);

    item->setPos(100, 50);
    const Stroke moved = item->stroke();
    QCOMPARE(QPointF(moved.path().elementAt(1)), QPointF(110, 55));
    QCOMPARE(moved.stamp(), before.stamp());
    QVERIFY(item->hasPath(moved));
    QVERIFY(!item->hasPath(before));
}

void TestStrokeItem::itemFromModelStroke()
{
    QPainterPath path(QPointF(1, 1));
    path.lineTo(3, 4);
    const Stroke stroke = makePathStroke(path);
    QGraphicsScene scene;
    auto *item = new StrokeItem(stroke, QTransform::fromScale(2, 2), ItemStyle());
    scene.addItem(item);
    QCOMPARE(item->stamp(), stroke.stamp());
    QCOMPARE(item->type(), int(QGraphicsItem::UserType + 1));
    QVERIFY(item->hasPath(strokeTransformed(stroke, QTransform::fromScale(2, 2))));
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);
    QVERIFY(!item->isEnabled());
    QCOMPARE(item->zValue(), 1.0);
}

void TestStrokeItem::paintsDegenerateInput_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QList<QPointF> repeated(30, QPointF(150, 150));
    QList<QPointF> collinear, zigzag, longStroke;
    for (int i = 0; i < 40; ++i) {
        collinear << QPointF(20 + 8 * i, 20 + 6 * i);
        zigzag << QPointF(20 + 8 * i, i % 2 ? 100 : 200);
        longStroke << QPointF(200 + 120 * qCos(i * 0.15), 150 + 100 * qSin(i * 0.2));
    }
    QList<QPointF> stutter;
    for (int i = 0; i < 20; ++i)
        stutter << QPointF(20 + 10 * (i / 2), 100) << QPointF(20 + 10 * (i / 2), 100);

    QTest::newRow("one point") << QList<QPointF>{{150, 150}, {150, 150}};
    QTest::newRow("two points") << QList<QPointF>{{50, 50}, {300, 200}};
    QTest::newRow("repeated points") << repeated;
    QTest::newRow("collinear") << collinear;
    QTest::newRow("zigzag") << zigzag;
    QTest::newRow("pairs of equal points") << stutter;
    QTest::newRow("curve") << longStroke;
}

void TestStrokeItem::paintsDegenerateInput()
{
    QFETCH(QList<QPointF>, points);
    StrokeItem *item = written(points);
    QImage image = render(item);
    delete item;
    QVERIFY(inkedPixels(image) > 20);
}

enum class Built { Live, Finished, FromModel };
Q_DECLARE_METATYPE(Built)

void TestStrokeItem::tapPaintsDotOfPenWidth_data()
{
    // Points of the stroke, how it was built, the style's ink width, where
    // its ink must be and the pen radius there (2.5 ink widths; 0.7 of that
    // for a short closed one, but never less than one ink width of 1).
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<Built>("built");
    QTest::addColumn<int>("inkWidth");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<double>("radius");
    const QPointF p(150, 150);
    const QList<QPointF> tap{p, p};
    const QList<QPointF> held(30, p);
    const QList<QPointF> tremor{p, p + QPointF(0.4, 0.3), p + QPointF(0.2, -0.3), p + QPointF(-0.3, 0.1), p};
    const QList<QPointF> pair{{130, 150}, {170, 150}};
    QTest::newRow("pen held down") << QList<QPointF>{p} << Built::Live << 6 << p << 15.0;
    QTest::newRow("tap") << tap << Built::Finished << 6 << p << 10.0;
    QTest::newRow("tap, thinnest pen") << tap << Built::Finished << 1 << p << 2.5;
    QTest::newRow("tap redrawn from the model") << tap << Built::FromModel << 6 << p << 15.0;
    QTest::newRow("held still, then lifted") << held << Built::Finished << 6 << p << 10.0;
    QTest::newRow("held still, redrawn") << held << Built::FromModel << 6 << p << 15.0;
    QTest::newRow("tap with a tremor, redrawn") << tremor << Built::FromModel << 6 << p << 15.0;
    QTest::newRow("two points being drawn") << pair << Built::Live << 6 << p << 15.0;
    QTest::newRow("two points redrawn") << pair << Built::FromModel << 6 << p << 15.0;
}

void TestStrokeItem::tapPaintsDotOfPenWidth()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(Built, built);
    QFETCH(int, inkWidth);
    QFETCH(QPointF, centre);
    QFETCH(double, radius);
    ItemStyle style;
    style.setInkWidth(inkWidth);
    StrokeItem *item = nullptr;
    if (built == Built::Live) {
        item = new StrokeItem(style);
        item->start(points.first());
        for (int i = 1; i < points.size(); ++i)
            item->addPoint(points[i]);
    } else {
        item = written(points, style);
        if (built == Built::FromModel) {
            const Stroke stroke = item->stroke();
            delete item;
            item = new StrokeItem(stroke, QTransform(), style);
        }
    }
    const QImage image = render(item);
    delete item;
    auto inked = [&image](const QPointF &at) { return qGray(image.pixel(qFloor(at.x()), qFloor(at.y()))) < 128; };
    QVERIFY(inked(centre));
    for (const QPointF &direction : {QPointF(0, 1), QPointF(0, -1)}) {
        QVERIFY(inked(centre + direction * radius * 0.7));
        QVERIFY(!inked(centre + direction * radius * 1.3));
    }
}

void TestStrokeItem::shortStrokePaintsThinner()
{
    // The same horizontal line, once as a short closed stroke and once as
    // an open one: the short one is painted with 0.7 of the ink width.
    const QList<QPointF> line{{100, 150}, {120, 150}, {140, 150}};
    StrokeItem *closed = written(line);
    const QImage thin = render(closed);
    delete closed;
    auto *open = new StrokeItem(ItemStyle());
    open->start(line[0]);
    open->addPoint(line[1]);
    open->addPoint(line[2]);
    const QImage full = render(open);
    delete open;
    auto columnHeight = [](const QImage &image, int x) {
        int h = 0;
        for (int y = 0; y < image.height(); ++y)
            h += qGray(image.pixel(x, y)) < 128;
        return h;
    };
    // Closed short stroke: radius 2.5 * 4 = 10 all along; the open stroke
    // tapers from nothing at its first point.
    for (int x : {105, 120, 135})
        QVERIFY2(qAbs(columnHeight(thin, x) - 20) <= 2, qPrintable(QString::number(x)));
    QVERIFY(columnHeight(full, 105) < 8);
}

void TestStrokeItem::dimmedStrokeIsTranslucent()
{
    StrokeItem *item = written({{100, 100}, {110, 100}});
    item->setDimmed(true);
    const QImage image = render(item);
    delete item;
    const QRgb centre = image.pixel(105, 100);
    QVERIFY(qGray(centre) > 150 && qGray(centre) < 250);
}

QTEST_MAIN(TestStrokeItem)
#include "tst_strokeitem.moc"
