#include "model/demonstrationink.h"
#include "model/resultbuilding.h"
#include "model/specialkeys.h"
#include "pad/demoplayer.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"
#include "pad/updater.h"
#include "resources/resourcepaths.h"

#include <QFile>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QTest>
#include <QTimeLine>

#include <memory>

namespace {

const QRectF Target(100, 50, 75, 100);

// A controller that records the strokes it is asked about.
class RecordingUpdater : public Updater
{
public:
    using Updater::Updater;

    void recoResultEvent(const RecognitionResult &) override {}
    bool isDictionaryWord(const QString &word) const override
    {
        return word == QLatin1String("hello");
    }
    QRectF visibleSceneRect() const override { return Target; }

    QList<QList<StrokeItem *>> oracleRequests;

protected:
    void requestOracle(const RecognitionResult &, const QList<StrokeItem *> &strokes) override
    {
        oracleRequests.append(strokes);
    }
    void buildTypeSet(TypeSetModes, const RecognitionResult &, const QList<StrokeItem *> &) override
    {
    }
    void resumeProcessing() override {}
};

BehaviourSettings behaviour(bool animate)
{
    BehaviourSettings b;
    b.displayAnimationInk = animate;
    b.autoSend = false;
    return b;
}

struct Pad
{
    explicit Pad(bool animate = true)
        : scene(new ScrivelScene(ItemStyle())),
          updater(new RecordingUpdater(behaviour(animate), scene.data(), Qt::AlignLeft))
    {
    }

    QList<StrokeItem *> strokes() const
    {
        QList<StrokeItem *> out;
        for (QGraphicsItem *item : scene->items()) {
            if (item->type() == StyledItem::StrokeItemType)
                out.append(static_cast<StrokeItem *>(item));
        }
        return out;
    }

    DemoPlayer *demo() const { return updater->demoPlayer(); }

    QScopedPointer<ScrivelScene> scene;
    RecordingUpdater *updater;
};

int totalPoints(const QList<QPolygonF> &strokes)
{
    int n = 0;
    for (const QPolygonF &s : strokes)
        n += int(s.size());
    return n;
}

QString keyText(SpecialKey key)
{
    return specialKeyText(key);
}

QString queuedText(const QList<RecognitionResult> &queue)
{
    QString text;
    for (const RecognitionResult &r : queue)
        text += r.root().selectedCandidate().label();
    return text;
}

} // namespace

class TestDemonstration : public QObject
{
    Q_OBJECT
private slots:
    void inkFileOfEachKind_data();
    void inkFileOfEachKind();
    void targetRectangleOfEachKind_data();
    void targetRectangleOfEachKind();
    void gestureIsAnimatedAndFedToTheController_data();
    void gestureIsAnimatedAndFedToTheController();
    void withoutAnimationTheGestureIsFedAtOnce();
    void stoppingMidwayHandsTheStrokeOver();
    void stoppingASampleMidwayLeavesNoHalfStroke();
    void loadingDeletesTheAuxiliaryItem();
    void destroyingThePadMidwayIsSafe();
    void keysQueuedWhenNotAnimated();
    void secondKeyWhileTheFirstWaitsQueuesBoth();
    void keyDemoPlaysTheGestureThenGuards();
    void queuedKeysMergeIntoTheExportedModel();
    void calculatorSampleIsDimmedAndClearedByWriting();
};

void TestDemonstration::inkFileOfEachKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<qreal>("width");
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<QString>("file");
    QTest::newRow("insert 0") << 1 << 75.0 << false << "insertAnimationInk0";
    QTest::newRow("insert 1") << 1 << 76.9 << false << "insertAnimationInk1";
    QTest::newRow("erase 2") << 2 << 77.0 << false << "eraseAnimationInk2";
    QTest::newRow("delete 2") << 2 << 77.0 << true << "deleteAnimationInk2";
    QTest::newRow("joint 1") << 3 << 100.0 << false << "jointAnimationInk1";
    QTest::newRow("space") << 4 << 100.0 << false << "spaceAnimationInk";
    QTest::newRow("backspace") << 5 << 100.0 << false << "backspaceAnimationInk";
    QTest::newRow("return") << 6 << 100.0 << false << "returnAnimationInk";
    QTest::newRow("alphabet") << 7 << 100.0 << false << "AbcZiAnimationInk";
    QTest::newRow("calculator") << 8 << 100.0 << false << "calcModeAnimationInk";
    QTest::newRow("unknown is an erase") << 12 << 75.0 << false << "eraseAnimationInk0";
}

void TestDemonstration::inkFileOfEachKind()
{
    QFETCH(int, kind);
    QFETCH(qreal, width);
    QFETCH(bool, dictionary);
    QFETCH(QString, file);
    const QString name = DemoPlayer::fileName(kind, QRectF(0, 0, width, 10), dictionary);
    QCOMPARE(name, resourcepaths::images() + file + ".itf");
    QVERIFY(!readDemonstrationInk(name).isEmpty());
}

void TestDemonstration::targetRectangleOfEachKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("target");
    QTest::newRow("insert: twice as high") << 1 << QRectF(10, 20, 30, 80);
    QTest::newRow("erase: as it is") << 2 << QRectF(10, 20, 30, 40);
    QTest::newRow("joint: up by its height, twice as high") << 3 << QRectF(10, -20, 30, 80);
    QTest::newRow("space: as it is") << 4 << QRectF(10, 20, 30, 40);
}

void TestDemonstration::targetRectangleOfEachKind()
{
    QFETCH(int, kind);
    QFETCH(QRectF, target);
    QCOMPARE(DemoPlayer::targetRect(kind, QRectF(10, 20, 30, 40)), target);
}

void TestDemonstration::gestureIsAnimatedAndFedToTheController_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("insert") << 1 << QString();
    QTest::newRow("delete") << 2 << "hello";
    QTest::newRow("joint") << 3 << QString();
    QTest::newRow("space") << 4 << QString();
    QTest::newRow("backspace") << 5 << QString();
    QTest::newRow("return") << 6 << QString();
}

void TestDemonstration::gestureIsAnimatedAndFedToTheController()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    Pad pad;
    QSignalSpy done(pad.updater, &Updater::animationStrokeDone);
    const QList<QPolygonF> file =
        readDemonstrationInk(DemoPlayer::fileName(kind, Target, !name.isEmpty()));

    pad.updater->loadAnimationInk(kind, Target, name);
    DemoPlayer *demo = pad.demo();
    QVERIFY(demo->timeLine());
    QCOMPARE(demo->duration(), 500);
    QVERIFY(demo->isFed());
    QVERIFY(pad.scene->isBlocked());
    QCOMPARE(pad.updater->flags() & Updater::PenActive, int(Updater::PenActive));
    QCOMPARE(pad.strokes().size(), 1);

    // Drawn along the time line, not at once.
    QTRY_VERIFY(demo->stroke() && demo->stroke()->path().elementCount() > 1);
    QVERIFY(demo->stroke()->path().elementCount() < file.first().size());
    QTRY_VERIFY_WITH_TIMEOUT(!demo->timeLine(), 3000);

    QCOMPARE(done.size(), 1);
    QVERIFY(!pad.scene->isBlocked());
    QCOMPARE(pad.updater->oracleRequests.size(), 1);
    StrokeItem *fed = pad.updater->oracleRequests.first().first();
    QVERIFY(fed->isClosed());
    QCOMPARE(fed->path().elementCount(), file.first().size());
    const QRectF area = DemoPlayer::targetRect(kind, Target).adjusted(-1, -1, 1, 1);
    QVERIFY(area.contains(fed->path().boundingRect()));
    QCOMPARE(pad.strokes(), QList<StrokeItem *>{fed});
    QCOMPARE(demo->kind(), int(DemoPlayer::NoDemo));
}

void TestDemonstration::withoutAnimationTheGestureIsFedAtOnce()
{
    Pad pad(false);
    pad.updater->loadAnimationInk(DemoPlayer::SpaceDemo, Target, QString());
    QCOMPARE(pad.updater->oracleRequests.size(), 1);
    StrokeItem *fed = pad.updater->oracleRequests.first().first();
    QVERIFY(!fed->isVisible());
    QVERIFY(!pad.demo()->timeLine());
    QVERIFY(!pad.scene->isBlocked());
}

void TestDemonstration::stoppingMidwayHandsTheStrokeOver()
{
    Pad pad;
    QSignalSpy done(pad.updater, &Updater::animationStrokeDone);
    QSignalSpy magic(pad.updater, &Updater::enableMagicAction);
    pad.updater->loadAnimationInk(DemoPlayer::ReturnDemo, Target, QString());
    QTRY_VERIFY(pad.demo()->stroke()->path().elementCount() > 1);

    pad.updater->stopDemo();
    QCOMPARE(done.size(), 1);
    QCOMPARE(pad.updater->oracleRequests.size(), 1);
    StrokeItem *fed = pad.updater->oracleRequests.first().first();
    QVERIFY(fed->isClosed());
    QCOMPARE(pad.strokes(), QList<StrokeItem *>{fed});
    QVERIFY(!pad.demo()->timeLine());
    QVERIFY(!pad.scene->isBlocked());
    QVERIFY(!magic.isEmpty());
    QTest::qWait(600);
    QCOMPARE(pad.strokes().size(), 1);
    QCOMPARE(done.size(), 1);
}

void TestDemonstration::stoppingASampleMidwayLeavesNoHalfStroke()
{
    Pad pad;
    pad.updater->loadAnimationInk(DemoPlayer::AlphabetSample, QRectF(0, 0, 600, 200), QString());
    DemoPlayer *demo = pad.demo();
    QVERIFY(!demo->isFed());
    const int total = totalPoints(demo->pendingStrokes());
    QVERIFY(demo->pendingStrokes().size() > 1);
    QCOMPARE(demo->duration(), 15 * int(demo->pendingStrokes().first().size()));
    // Stopped inside its second stroke.
    QTRY_VERIFY_WITH_TIMEOUT(pad.strokes().size() >= 2, 3000);
    pad.updater->stopDemo();
    QVERIFY(!demo->timeLine());
    QVERIFY(demo->pendingStrokes().isEmpty());
    for (const StrokeItem *item : pad.strokes())
        QVERIFY(item->isClosed());
    QVERIFY(pad.strokes().size() < total);
    QVERIFY(pad.updater->oracleRequests.isEmpty());
}

void TestDemonstration::loadingDeletesTheAuxiliaryItem()
{
    Pad pad;
    auto *aux = new QGraphicsRectItem(0, 0, 10, 10);
    pad.scene->addItem(aux);
    pad.updater->setAuxiliaryItem(aux);
    pad.updater->loadAnimationInk(DemoPlayer::SpaceDemo, Target, QString());
    QVERIFY(!pad.updater->auxiliaryItem());
    QVERIFY(!pad.scene->items().contains(aux));
}

void TestDemonstration::destroyingThePadMidwayIsSafe()
{
    for (bool controllerFirst : {false, true}) {
        auto pad = std::make_unique<Pad>();
        auto *aux = new QGraphicsRectItem(0, 0, 10, 10);
        pad->scene->addItem(aux);
        pad->updater->loadAnimationInk(DemoPlayer::SpaceDemo, Target, QString());
        pad->updater->setAuxiliaryItem(aux);
        QTRY_VERIFY(pad->demo()->stroke()->path().elementCount() > 1);
        if (controllerFirst) {
            delete pad->updater;
            QVERIFY(!pad->scene->items().contains(aux));
        }
        pad.reset();
        QTest::qWait(20);
    }
}

void TestDemonstration::keysQueuedWhenNotAnimated()
{
    Pad pad(false);
    QSignalSpy exported(pad.updater, &Updater::exportModel);
    QSignalSpy sent(pad.updater, &Updater::timeout);
    // While the pen is down the keys wait.
    pad.updater->penDownEvent();
    pad.updater->importMiniKeyboardEvent(resultFromText(QStringLiteral(" "), 0));
    pad.updater->importMiniKeyboardEvent(resultFromText(keyText(SpecialKey::Tab), 0));
    QCOMPARE(queuedText(pad.updater->keyQueue()), " " + keyText(SpecialKey::Tab));
    QVERIFY(!pad.demo()->timeLine());
    QVERIFY(exported.isEmpty());

    // Idle with the pen up: the keys are exported merged into the model, then sent.
    UpdaterRequest abort(UpdaterRequestKind::AbortTask);
    pad.updater->processRequest(&abort);
    QCOMPARE(exported.size(), 1);
    QCOMPARE(exported.first().first().value<RecognitionResult>().root().selectedCandidate().label(),
             " " + keyText(SpecialKey::Tab));
    QCOMPARE(sent.size(), 1);
    QVERIFY(pad.updater->keyQueue().isEmpty());
}

void TestDemonstration::secondKeyWhileTheFirstWaitsQueuesBoth()
{
    Pad pad;
    QSignalSpy exported(pad.updater, &Updater::exportModel);
    pad.updater->importMiniKeyboardEvent(resultFromText(QStringLiteral(" "), 0));
    QVERIFY(exported.isEmpty());
    pad.updater->importMiniKeyboardEvent(resultFromText(QStringLiteral(" "), 0));
    QCOMPARE(exported.size(), 1);
    QCOMPARE(exported.first().first().value<RecognitionResult>().root().selectedCandidate().label(),
             QStringLiteral("  "));
    QTest::qWait(700);
    QVERIFY(!pad.demo()->timeLine());
    QVERIFY(pad.updater->oracleRequests.isEmpty());
}

void TestDemonstration::keyDemoPlaysTheGestureThenGuards()
{
    Pad pad;
    pad.updater->importMiniKeyboardEvent(resultFromText(keyText(SpecialKey::Backspace), 0));
    QVERIFY(!pad.demo()->timeLine());
    QTRY_VERIFY_WITH_TIMEOUT(pad.demo()->timeLine(), 1000);
    QCOMPARE(pad.demo()->kind(), int(DemoPlayer::BackspaceDemo));
    QTRY_COMPARE_WITH_TIMEOUT(pad.updater->oracleRequests.size(), 1, 3000);
    QVERIFY(pad.updater->keyQueue().isEmpty());

    // Right after a demonstration a key is sent as it is.
    pad.updater->importMiniKeyboardEvent(resultFromText(keyText(SpecialKey::Return), 0));
    QCOMPARE(queuedText(pad.updater->keyQueue()), keyText(SpecialKey::Return));
}

void TestDemonstration::queuedKeysMergeIntoTheExportedModel()
{
    Pad pad(false);
    QPainterPath path(QPointF(0, 0));
    path.lineTo(40, 30);
    const RecognitionResult written =
        resultFromStroke(makePathStroke(path), QStringLiteral("ab"), ResultNode::Word, 0);
    const RecognitionResult model = written;
    QCOMPARE(pad.updater->exportableModel(model).root().selectedCandidate().label(), "ab");

    pad.updater->penDownEvent(); // holds the keys in the queue
    pad.updater->importMiniKeyboardEvent(resultFromText(keyText(SpecialKey::Tab), 0));
    pad.updater->importMiniKeyboardEvent(resultFromText(QStringLiteral("x"), 0));
    const RecognitionResult merged = pad.updater->exportableModel(model);
    QCOMPARE(merged.root().selectedCandidate().label(), "ab" + keyText(SpecialKey::Tab) + "x");
    QVERIFY(pad.updater->keyQueue().isEmpty());
}

void TestDemonstration::calculatorSampleIsDimmedAndClearedByWriting()
{
    Pad pad;
    QGraphicsView view(pad.scene.data());
    view.resize(800, 400);
    pad.scene->setSceneRect(0, 0, 800, 400);
    pad.updater->showCalculatorSampleInk();
    DemoPlayer *demo = pad.demo();
    QVERIFY(demo->isSampleShown());
    QVERIFY(!demo->isFed());
    QVERIFY(!pad.strokes().isEmpty());
    for (const StrokeItem *item : pad.strokes())
        QVERIFY(item->isDimmed());

    pad.updater->penDownEvent();
    QVERIFY(!demo->isSampleShown());
    QVERIFY(pad.strokes().isEmpty());
    QVERIFY(pad.updater->hasWritten());

    pad.updater->showCalculatorSampleInk();
    QVERIFY(!demo->isSampleShown());
}

QTEST_MAIN(TestDemonstration)
#include "tst_demonstration.moc"
