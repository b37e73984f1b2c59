#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QSignalSpy>
#include <QtTest>

// Records the strokes the scene hands out and takes ownership of them.
class StrokeSink : public QObject
{
public:
    explicit StrokeSink(ScrivelScene *scene)
    {
        connect(scene, &ScrivelScene::penDown, this, [this] { ++downs; });
        connect(scene, &ScrivelScene::penUp, this, [this](StrokeItem *item) { strokes.append(item); });
    }
    ~StrokeSink() override { qDeleteAll(strokes); }

    QList<QPointF> points(int i) const
    {
        QList<QPointF> out;
        const QPainterPath path = strokes[i]->path();
        for (int e = 0; e < path.elementCount(); ++e)
            out.append(path.elementAt(e));
        return out;
    }

    int downs = 0;
    QList<StrokeItem *> strokes;
};

// An item that takes only left clicks, like a candidate or an icon.
class ButtonItem : public QGraphicsRectItem
{
public:
    ButtonItem(ScrivelScene *owner, bool claims) : QGraphicsRectItem(0, 0, 50, 50), owner(owner), claims(claims)
    {
        setAcceptedMouseButtons(Qt::LeftButton);
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        if (claims)
            owner->notifyItemPressed();
        event->accept();
    }

private:
    ScrivelScene *owner;
    bool claims;
};

static void send(ScrivelScene &scene, QEvent::Type type, const QPointF &point,
                 Qt::MouseButton button = Qt::LeftButton)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(point);
    event.setButton(button);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::MouseButtons(button));
    QCoreApplication::sendEvent(&scene, &event);
}

static void drag(ScrivelScene &scene, const QList<QPointF> &points)
{
    send(scene, QEvent::GraphicsSceneMousePress, points.first());
    for (int i = 1; i + 1 < points.size(); ++i)
        send(scene, QEvent::GraphicsSceneMouseMove, points[i]);
    send(scene, QEvent::GraphicsSceneMouseRelease, points.last());
}

// An item that closes the scene's modal item when it goes, as typeset
// items do.
class ClosingItem : public QGraphicsRectItem
{
public:
    ~ClosingItem() override
    {
        if (scene())
            static_cast<ScrivelScene *>(scene())->setModalItem(nullptr);
    }
};

// The application in its full-screen state, recording the relayed points.
class FullScreenServices : public PadServices
{
public:
    bool isFullScreenState() const override { return true; }
    void mouseIsOnFloatingMenuEvent(const QPointF &point) override { points.append(point); }
    QList<QPointF> points;
};

class TestScrivelScene : public QObject
{
    Q_OBJECT
private slots:
    void dragMakesAStroke();
    void pressRules_data();
    void pressRules();
    void modalItemClosesOnPressElsewhere();
    void modalItemStaysWhenAnItemClaimsThePress();
    void jumpGuardFreezesTheStroke();
    void expandSignalBeyondFiftyUnits();
    void clearStrokesKeepsUndimmed();
    void clearStrokesForgetsTheOpenStroke();
    void destructionWithModalItem();
    void followsTheApplication();
};

void TestScrivelScene::dragMakesAStroke()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    drag(scene, {{10, 10}, {20, 15}, {30, 12}});
    QCOMPARE(sink.downs, 1);
    QCOMPARE(sink.strokes.size(), 1);
    QCOMPARE(sink.points(0), (QList<QPointF>{{10, 10}, {20, 15}, {30, 12}}));
    QVERIFY(sink.strokes[0]->isClosed());
    QCOMPARE(sink.strokes[0]->scene(), &scene);
}

void TestScrivelScene::pressRules_data()
{
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<int>("noInk");
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("strokes");
    QTest::newRow("free press") << false << 0 << false << int(Qt::LeftButton) << true;
    QTest::newRow("blocked") << true << 0 << false << int(Qt::LeftButton) << false;
    QTest::newRow("no-ink mode") << false << 2 << false << int(Qt::LeftButton) << false;
    QTest::newRow("left-only item") << false << 0 << true << int(Qt::LeftButton) << false;
    QTest::newRow("right button") << false << 0 << false << int(Qt::RightButton) << false;
}

void TestScrivelScene::pressRules()
{
    QFETCH(bool, blocked);
    QFETCH(int, noInk);
    QFETCH(bool, onButton);
    QFETCH(int, button);
    QFETCH(bool, strokes);
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    scene.setBlocked(blocked);
    scene.setNoInkMode(noInk);
    if (onButton)
        scene.addItem(new ButtonItem(&scene, true));
    send(scene, QEvent::GraphicsSceneMousePress, {10, 10}, Qt::MouseButton(button));
    send(scene, QEvent::GraphicsSceneMouseMove, {20, 20}, Qt::MouseButton(button));
    send(scene, QEvent::GraphicsSceneMouseRelease, {30, 30}, Qt::MouseButton(button));
    QCOMPARE(sink.downs, strokes ? 1 : 0);
    QCOMPARE(sink.strokes.size(), strokes ? 1 : 0);
}

void TestScrivelScene::modalItemClosesOnPressElsewhere()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    auto *list = new ButtonItem(&scene, false);
    list->setPos(500, 500);
    scene.addItem(list);
    scene.setModalItem(list);
    send(scene, QEvent::GraphicsSceneMousePress, {10, 10});
    QCOMPARE(scene.modalItem(), nullptr);
    QVERIFY(!scene.items().contains(list));
    // A second modal item replaces and deletes the first.
    auto *first = new QGraphicsRectItem(0, 0, 5, 5);
    auto *second = new QGraphicsRectItem(0, 0, 5, 5);
    scene.addItem(first);
    scene.addItem(second);
    scene.setModalItem(first);
    scene.setModalItem(second);
    QVERIFY(!scene.items().contains(first));
    scene.setModalItem(second);
    QVERIFY(scene.items().contains(second));
}

void TestScrivelScene::modalItemStaysWhenAnItemClaimsThePress()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    auto *list = new ButtonItem(&scene, true);
    scene.addItem(list);
    scene.setModalItem(list);
    send(scene, QEvent::GraphicsSceneMousePress, {10, 10});
    send(scene, QEvent::GraphicsSceneMouseRelease, {10, 10});
    QCOMPARE(scene.modalItem(), list);
    QCOMPARE(sink.downs, 0);
    // The claim lasts one press only.
    send(scene, QEvent::GraphicsSceneMousePress, {300, 300});
    QCOMPARE(scene.modalItem(), nullptr);
}

void TestScrivelScene::jumpGuardFreezesTheStroke()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    scene.updateInkMaxX(100);
    drag(scene, {{0, 0}, {10, 0}, {20, 0}, {70, 0}, {80, 0}, {90, 5}});
    // The stroke ends at the last point before the jump.
    QCOMPARE(sink.points(0), (QList<QPointF>{{0, 0}, {10, 0}, {20, 0}}));

    // The release reset the guard: the next stroke is written whole.
    drag(scene, {{0, 0}, {60, 0}, {70, 0}});
    QCOMPARE(sink.points(1).size(), 3);
}

void TestScrivelScene::expandSignalBeyondFiftyUnits()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    QSignalSpy expand(&scene, &ScrivelScene::prepareExpandScrivelX);
    drag(scene, {{100, 0}, {140, 0}, {160, 0}, {200, 0}, {215, 0}, {40, 0}, {30, 0}});
    QCOMPARE(expand.size(), 3);
    QCOMPARE(expand[0][0].toFloat(), 160.0f);
    QCOMPARE(expand[1][0].toFloat(), 215.0f);
    QCOMPARE(expand[2][0].toFloat(), 40.0f);
}

void TestScrivelScene::clearStrokesKeepsUndimmed()
{
    ScrivelScene scene{ItemStyle()};
    auto *kept = new StrokeItem(ItemStyle());
    auto *dimmed = new StrokeItem(ItemStyle());
    dimmed->setDimmed(true);
    auto *other = new QGraphicsRectItem(0, 0, 1, 1);
    scene.addItem(kept);
    scene.addItem(dimmed);
    scene.addItem(other);
    scene.clearStrokes(true);
    QVERIFY(scene.items().contains(kept) && !scene.items().contains(dimmed));
    scene.clearStrokes();
    QVERIFY(!scene.items().contains(kept));
    QVERIFY(scene.items().contains(other));
    QVERIFY(scene.items().contains(scene.transparentRectItem()));
}

void TestScrivelScene::clearStrokesForgetsTheOpenStroke()
{
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    send(scene, QEvent::GraphicsSceneMousePress, {0, 0});
    scene.clearStrokes();
    send(scene, QEvent::GraphicsSceneMouseMove, {5, 5});
    send(scene, QEvent::GraphicsSceneMouseRelease, {9, 9});
    QCOMPARE(sink.strokes.size(), 0);
    drag(scene, {{0, 0}, {5, 5}});
    QCOMPARE(sink.strokes.size(), 1);
    QCOMPARE(sink.downs, 2);
}

void TestScrivelScene::destructionWithModalItem()
{
    // The modal item comes first among the items, so that a scene that
    // deleted its items after it stopped being a ScrivelScene would free the
    // modal item twice.
    auto *scene = new ScrivelScene(ItemStyle());
    auto *list = new QGraphicsRectItem(0, 0, 5, 5);
    scene->addItem(list);
    scene->addItem(new ClosingItem);
    scene->setModalItem(list);
    delete scene;
}

void TestScrivelScene::followsTheApplication()
{
    FullScreenServices services;
    PadServices::setInstance(&services);
    ScrivelScene scene{ItemStyle()};
    StrokeSink sink(&scene);
    scene.addRect(-50, -20, 300, 100);
    emit services.startShowing();
    QCOMPARE(scene.transparentRectItem()->rect(), scene.sceneRect());
    scene.removeRect();
    QCOMPARE(scene.transparentRectItem()->rect(), QRectF(0, 0, 0, 0));
    emit services.startShownWindowed();
    QCOMPARE(scene.transparentRectItem()->rect(), scene.sceneRect());

    drag(scene, {{0, 0}, {5, 5}, {9, 9}, {12, 12}});
    QCOMPARE(services.points, (QList<QPointF>{{5, 5}, {9, 9}}));
    PadServices::setInstance(nullptr);
    QVERIFY(PadServices::instance() != &services);
}

QTEST_MAIN(TestScrivelScene)
#include "tst_scrivelscene.moc"
