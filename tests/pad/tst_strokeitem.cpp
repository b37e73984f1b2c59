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
    void shortStrokePaintsThinner();
    void dimmedStrokeIsTranslucent();
};

static StrokeItem *written(const QList<QPointF> &points)
{
    auto *item = new StrokeItem(ItemStyle());
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
