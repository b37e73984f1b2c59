#include "pad/penevent.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"

#include <QSignalSpy>
#include <QtMath>
#include <QtTest>

// A scene and a shown view of a given mode, with the strokes handed out.
class Pad : public QObject
{
public:
    Pad(int mode, int side = 1, QSize size = QSize(400, 100))
        : scene(ItemStyle()), view(mode, &scene, side)
    {
        connect(&scene, &ScrivelScene::penDown, this, [this] { ++downs; });
        connect(&scene, &ScrivelScene::penUp, this, [this](StrokeItem *item) { strokes.append(item); });
        view.resize(size);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    ~Pad() override { qDeleteAll(strokes); }

    QList<QPointF> points(int i) const
    {
        QList<QPointF> out;
        const QPainterPath path = strokes.at(i)->path();
        for (int e = 0; e < path.elementCount(); ++e)
            out.append(path.elementAt(e));
        return out;
    }

    void pen(QEvent::Type type, const QPointF &himetric)
    {
        QCoreApplication::postEvent(&view, new PenEvent(type, himetric));
        QCoreApplication::processEvents();
    }

    QPointF sceneAt(const QPoint &pixel) const
    {
        return view.viewportTransform().inverted().map(QPointF(pixel));
    }

    ScrivelScene scene;
    ScrivelView view;
    int downs = 0;
    QList<StrokeItem *> strokes;
};

class TestScrivelView : public QObject
{
    Q_OBJECT
private slots:
    void mouseDragMakesAStroke_data();
    void mouseDragMakesAStroke();
    void penEventsMakeAStrokeOnQuarterPixels();
    void pensOwnMouseEventsAreDropped();
    void boxedFittingKeepsAThousandUnitsHigh_data();
    void boxedFittingKeepsAThousandUnitsHigh();
    void zoomedFitting_data();
    void zoomedFitting();
    void rectCornersOrder();
    void fullScreenRelaysMapGlobalPoints();
};

void TestScrivelView::mouseDragMakesAStroke_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("cursive") << 1;
    QTest::newRow("isolated") << 2;
}

void TestScrivelView::mouseDragMakesAStroke()
{
    QFETCH(int, mode);
    Pad pad(mode);
    QWidget *vp = pad.view.viewport();
    const QList<QPoint> pixels{{20, 30}, {40, 35}, {60, 50}, {80, 40}};
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixels[0]);
    for (int i = 1; i + 1 < pixels.size(); ++i)
        QTest::mouseMove(vp, pixels[i]);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixels.last());
    QCOMPARE(pad.downs, 1);
    QCOMPARE(pad.strokes.size(), 1);
    const QList<QPointF> points = pad.points(0);
    QCOMPARE(points.size(), pixels.size());
    for (int i = 0; i < pixels.size(); ++i)
        QCOMPARE(points[i], pad.sceneAt(pixels[i]));
}

void TestScrivelView::penEventsMakeAStrokeOnQuarterPixels()
{
    Pad pad(1);
    const double dpi = pad.view.viewport()->logicalDpiX();
    // 1000 hundredths of a millimetre is 37.795... pixels at 96 dpi.
    const QList<QPointF> raw{{1000, 500}, {1500, 700}, {2100, 900}};
    pad.pen(PenEvent::pressType(), raw[0]);
    QCOMPARE(pad.view.penState(), int(ScrivelView::PenPressed));
    pad.pen(PenEvent::moveType(), raw[1]);
    pad.pen(PenEvent::releaseType(), raw[2]);
    QCOMPARE(pad.view.penState(), int(ScrivelView::PenReleased));
    QCOMPARE(pad.view.lastPenPoint(), raw[2]);
    QCOMPARE(pad.downs, 1);
    QCOMPARE(pad.strokes.size(), 1);
    const QList<QPointF> points = pad.points(0);
    QCOMPARE(points.size(), 3);
    const QTransform toScene = pad.view.viewportTransform().inverted();
    for (int i = 0; i < 3; ++i) {
        const QPointF pixel(qFloor(raw[i].x() / 2540 * dpi * 4) / 4.0, qFloor(raw[i].y() / 2540 * dpi * 4) / 4.0);
        QCOMPARE(points[i], toScene.map(pixel));
        const QPointF onGrid = pad.view.viewportTransform().map(points[i]) * 4;
        QVERIFY(qFuzzyCompare(onGrid.x(), std::round(onGrid.x())));
    }
}

void TestScrivelView::pensOwnMouseEventsAreDropped()
{
    Pad pad(2);
    QWidget *vp = pad.view.viewport();
    pad.pen(PenEvent::pressType(), {500, 500});
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, {10, 10});
    QTest::mouseMove(vp, {30, 30});
    pad.pen(PenEvent::moveType(), {1000, 600});
    pad.pen(PenEvent::releaseType(), {1500, 700});
    QCOMPARE(pad.points(0).size(), 3);

    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, {30, 30});
    QCOMPARE(pad.view.penState(), int(ScrivelView::SystemReleaseSeen));
    // A system press after the pen stroke is dropped too, moves pass again.
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, {50, 50});
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, {50, 50});
    QCOMPARE(pad.view.penState(), int(ScrivelView::NoPen));
    QCOMPARE(pad.downs, 1);
    QCOMPARE(pad.strokes.size(), 1);

    // Mouse writing works again.
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, {60, 20});
    QTest::mouseMove(vp, {70, 30});
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, {80, 40});
    QCOMPARE(pad.strokes.size(), 2);
    QCOMPARE(pad.points(1).size(), 3);
}

void TestScrivelView::boxedFittingKeepsAThousandUnitsHigh_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("side");
    QTest::newRow("isolated") << 2 << 1;
    QTest::newRow("training, right to left") << 4 << 2;
}

void TestScrivelView::boxedFittingKeepsAThousandUnitsHigh()
{
    QFETCH(int, mode);
    QFETCH(int, side);
    Pad pad(mode, side, QSize(300, 150));
    pad.view.setOrigin(100, 0);
    const QRectF narrow = pad.view.mapToScene(pad.view.viewport()->rect()).boundingRect();
    pad.view.resize(600, 150);
    QCoreApplication::processEvents();
    const QRectF wide = pad.view.mapToScene(pad.view.viewport()->rect()).boundingRect();
    QCOMPARE(qRound(narrow.height()), 1000);
    QCOMPARE(qRound(wide.height()), 1000);
    QCOMPARE(qRound(narrow.width()), 2000);
    QCOMPARE(qRound(wide.width()), 4000);
    QCOMPARE(qRound(narrow.top()), 0);
    QCOMPARE(qRound(wide.left()), side == 1 ? 100 : -4100);
}

void TestScrivelView::zoomedFitting_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QPointF>("originAt");
    QTest::newRow("cursive left") << 1 << 1 << int(Qt::AlignCenter) << QPointF(0, 0);
    QTest::newRow("cursive right to left") << 1 << 2 << int(Qt::AlignCenter) << QPointF(400, 0);
    QTest::newRow("calculator right aligned") << 6 << 1 << int(Qt::AlignRight) << QPointF(400, 0);
    QTest::newRow("calculator left aligned") << 6 << 2 << int(Qt::AlignLeft) << QPointF(0, 0);
}

void TestScrivelView::zoomedFitting()
{
    QFETCH(int, mode);
    QFETCH(int, side);
    QFETCH(int, alignment);
    QFETCH(QPointF, originAt);
    Pad pad(mode, side, QSize(400, 100));
    pad.view.setAlignment(alignment);
    pad.view.setOrigin(50, 20);
    const QTransform t = pad.view.viewportTransform();
    QCOMPARE(t.map(QPointF(50, 20)), originAt);
    QCOMPARE(t.map(QPointF(150, 20)) - t.map(QPointF(50, 20)), QPointF(20, 0));
}

void TestScrivelView::rectCornersOrder()
{
    QCOMPARE(ScrivelView::rectCorners(QRectF(1, 2, 3, 4)),
             QPolygonF({{1, 2}, {4, 2}, {4, 6}, {1, 6}}));
}

void TestScrivelView::fullScreenRelaysMapGlobalPoints()
{
    Pad pad(1);
    QSignalSpy onMenu(&pad.scene, &ScrivelScene::mouseIsOnFloatingMenu);
    const QList<QPoint> pixels{{10, 10}, {30, 20}, {50, 40}};
    QWidget *vp = pad.view.viewport();
    pad.scene.fullScreenMouseMove(vp->mapToGlobal(pixels[0]));
    pad.scene.fullScreenMouseRelease(vp->mapToGlobal(pixels[0]));
    QCOMPARE(pad.strokes.size(), 0);

    pad.scene.fullScreenMousePress(vp->mapToGlobal(pixels[0]));
    pad.scene.fullScreenMouseMove(vp->mapToGlobal(pixels[1]));
    pad.scene.fullScreenMouseRelease(vp->mapToGlobal(pixels[2]));
    QCOMPARE(pad.downs, 1);
    QCOMPARE(pad.strokes.size(), 1);
    const QList<QPointF> points = pad.points(0);
    QCOMPARE(points.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(points[i], pad.sceneAt(pixels[i]));
    QCOMPARE(onMenu.size(), 2);
    QVERIFY(pad.strokes[0]->isClosed());
}

QTEST_MAIN(TestScrivelView)
#include "tst_scrivelview.moc"
