#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"
#include "pad/updater.h"
#include "recognition/inputmode.h"

#include <QGraphicsRectItem>
#include <QSignalSpy>
#include <QtTest>

// Records what the state machine asks of a derived controller.
class RecordingUpdater : public Updater
{
public:
    using Updater::Updater;

    struct Typeset
    {
        int mode;
        RecognitionResult model;
        QList<StrokeItem *> strokes;
    };

    void recoResultEvent(const RecognitionResult &) override {}

    QList<QList<StrokeItem *>> oracleRequests;
    QList<Typeset> typesets;
    int resumes = 0;
    QTimer *send() const { return sendTimer(); }

protected:
    void requestOracle(const RecognitionResult &, const QList<StrokeItem *> &strokes) override
    {
        oracleRequests.append(strokes);
    }
    void buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                      const QList<StrokeItem *> &strokes) override
    {
        typesets.append({int(mode.toInt()), model, strokes});
    }
    void resumeProcessing() override { ++resumes; }
};

// A scene with a controller and a way to make finished strokes in it.
class Fixture
{
public:
    explicit Fixture(const BehaviourSettings &behaviour = BehaviourSettings())
        : scene(new ScrivelScene(ItemStyle())),
          updater(new RecordingUpdater(behaviour, scene.data(), Qt::AlignLeft))
    {
    }

    StrokeItem *stroke()
    {
        auto *item = new StrokeItem(ItemStyle());
        item->start(QPointF(0, 0));
        item->finish(QPointF(10, 10));
        scene->addItem(item);
        return item;
    }

    bool post(UpdaterRequestKind kind)
    {
        UpdaterRequest request(kind);
        return updater->processRequest(&request);
    }
    bool schedule() { ScheduleTask t(stroke()); return updater->processRequest(&t); }
    bool delay(int ms, int count) { DelayTask t(ms, count); return updater->processRequest(&t); }
    bool finalize(const RecognitionResult &r, int flagWord = 0)
    {
        FinalizeTask t(r, flagWord);
        return updater->processRequest(&t);
    }
    bool update(const RecognitionResult &r, int count, int flagWord = 0)
    {
        UpdateTask t(r, count, flagWord);
        return updater->processRequest(&t);
    }

    int strokesInScene() const
    {
        int n = 0;
        for (QGraphicsItem *item : scene->items())
            n += item->type() == StyledItem::StrokeItemType;
        return n;
    }

    QScopedPointer<ScrivelScene> scene;
    RecordingUpdater *updater;
};

static RecognitionResult inkedModel()
{
    QPainterPath path(QPointF(0, 0));
    path.lineTo(5, 5);
    Segment root;
    root.setInk(InkRange::fromStroke(makePathStroke(path)));
    RecognitionResult model;
    model.setRoot(root);
    return model;
}

class TestUpdater : public QObject
{
    Q_OBJECT
private slots:
    void requestTable_data();
    void requestTable();
    void scheduleWhileProcessingWaitsForTheRunningRequest();
    void finalizeDeletesOrKeepsProcessedStrokes();
    void delayPausesOnlyWhenNoNewStrokes();
    void resumeTimerResumesProcessing();
    void checkOutsideMaskStillReplies();
    void clearContextDeletesPendingStrokesOnce_data();
    void clearContextDeletesPendingStrokesOnce();
    void sendWhenIdleWaitsForFinalize_data();
    void sendWhenIdleWaitsForFinalize();
    void autoSendAfterDelayWhenIdle_data();
    void autoSendAfterDelayWhenIdle();
    void updateIdleTypesetsAndExports();
    void penUpWithoutItem();
    void emptiness();
    void importedModelAlignsTheViews();
};

void TestUpdater::requestTable_data()
{
    QTest::addColumn<Updater::State>("state");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<Updater::State>("after");
    using K = UpdaterRequestKind;
    using S = Updater::State;
    const S I = S::Idle, P = S::Processing, Z = S::Paused;
    struct Row
    {
        S state;
        K kind;
        bool handled;
        S after;
    };
    const Row rows[] = {
        {I, K::IncomingTask, true, I}, {I, K::AbortTask, true, I}, {I, K::ClearContext, true, I},
        {I, K::ScheduleTask, true, P}, {I, K::CheckTask, true, I}, {I, K::UpdateTask, false, I},
        {I, K::FinalizeTask, false, I}, {I, K::DelayTask, false, I}, {I, K::ResumeTask, false, I},
        {I, K::UpdateIdle, true, I}, {I, K::SendWhenIdle, true, I},
        {P, K::IncomingTask, true, P}, {P, K::AbortTask, false, P}, {P, K::ClearContext, true, I},
        {P, K::ScheduleTask, true, P}, {P, K::CheckTask, false, P}, {P, K::UpdateTask, true, P},
        {P, K::FinalizeTask, true, P}, {P, K::DelayTask, true, Z}, {P, K::ResumeTask, false, P},
        {P, K::UpdateIdle, false, P}, {P, K::SendWhenIdle, true, P},
        {Z, K::IncomingTask, true, Z}, {Z, K::AbortTask, false, Z}, {Z, K::ClearContext, true, I},
        {Z, K::ScheduleTask, true, P}, {Z, K::CheckTask, false, Z}, {Z, K::UpdateTask, false, Z},
        {Z, K::FinalizeTask, false, Z}, {Z, K::DelayTask, false, Z}, {Z, K::ResumeTask, true, P},
        {Z, K::UpdateIdle, false, Z}, {Z, K::SendWhenIdle, true, Z},
    };
    const char *names[] = {"", "Idle", "Processing", "", "Paused"};
    for (const Row &r : rows)
        QTest::addRow("%s %d", names[int(r.state)], int(r.kind))
            << r.state << int(r.kind) << r.handled << r.after;
}

void TestUpdater::requestTable()
{
    QFETCH(Updater::State, state);
    QFETCH(int, kind);
    QFETCH(bool, handled);
    QFETCH(Updater::State, after);
    Fixture f;
    // Processing with two pending strokes (one more than the finalise
    // covers), Paused on one of them.
    if (state != Updater::State::Idle) {
        f.schedule();
        f.schedule();
        f.update(RecognitionResult(), 1);
    }
    if (state == Updater::State::Paused)
        QVERIFY(f.delay(10000, 2));
    QCOMPARE(f.updater->state(), state);

    bool result = false;
    switch (UpdaterRequestKind(kind)) {
    case UpdaterRequestKind::ScheduleTask:
        result = f.schedule();
        break;
    case UpdaterRequestKind::CheckTask: {
        CheckTask t(Updater::State::Idle);
        result = f.updater->processRequest(&t);
        break;
    }
    case UpdaterRequestKind::UpdateTask:
        result = f.update(RecognitionResult(), 1);
        break;
    case UpdaterRequestKind::FinalizeTask:
        result = f.finalize(RecognitionResult());
        break;
    case UpdaterRequestKind::DelayTask:
        result = f.delay(10000, 2);
        break;
    case UpdaterRequestKind::UpdateIdle: {
        UpdateIdle t(RecognitionResult(), 0);
        result = f.updater->processRequest(&t);
        break;
    }
    default:
        result = f.post(UpdaterRequestKind(kind));
    }
    QCOMPARE(result, handled);
    QCOMPARE(f.updater->state(), after);
}

void TestUpdater::scheduleWhileProcessingWaitsForTheRunningRequest()
{
    Fixture f;
    f.schedule();
    QCOMPARE(f.updater->oracleRequests.size(), 1);
    f.schedule();
    f.schedule();
    QCOMPARE(f.updater->oracleRequests.size(), 1);
    f.update(inkedModel(), 1);
    f.finalize(inkedModel());
    QCOMPARE(f.updater->oracleRequests.size(), 2);
    QCOMPARE(f.updater->oracleRequests[1], f.updater->pendingStrokes());
    QCOMPARE(f.updater->pendingStrokes().size(), 2);
    QCOMPARE(f.updater->state(), Updater::State::Processing);

    f.update(inkedModel(), 2);
    f.finalize(inkedModel());
    QCOMPARE(f.updater->oracleRequests.size(), 2);
    QCOMPARE(f.updater->state(), Updater::State::Idle);
    QCOMPARE(f.strokesInScene(), 0);
}

void TestUpdater::finalizeDeletesOrKeepsProcessedStrokes()
{
    Fixture f;
    QSignalSpy exported(f.updater, &Updater::exportModel);
    f.schedule();
    StrokeItem *first = f.updater->pendingStrokes().first();
    f.update(RecognitionResult(), 1);
    f.finalize(inkedModel(), Updater::KeepProcessedStrokes | Updater::ExportPending | 2);
    QCOMPARE(exported.size(), 1);
    const RecordingUpdater::Typeset &last = f.updater->typesets.last();
    QCOMPARE(last.mode, 2);
    QCOMPARE(last.strokes, QList<StrokeItem *>{first});
    QCOMPARE(f.updater->flags() & (Updater::KeepProcessedStrokes | Updater::ExportPending | 3), 0);
    QCOMPARE(f.strokesInScene(), 1);
    delete first;

    f.schedule();
    f.update(RecognitionResult(), 1);
    f.finalize(inkedModel());
    QVERIFY(f.updater->typesets.last().strokes.isEmpty());
    QCOMPARE(f.strokesInScene(), 0);

    // A count beyond the pending strokes finalises what there is.
    f.schedule();
    f.update(RecognitionResult(), 5);
    f.finalize(inkedModel());
    QCOMPARE(f.strokesInScene(), 0);
    QCOMPARE(f.updater->state(), Updater::State::Idle);
}

void TestUpdater::delayPausesOnlyWhenNoNewStrokes()
{
    Fixture f;
    f.schedule();
    f.schedule();
    QVERIFY(f.delay(10000, 1));
    QCOMPARE(f.updater->state(), Updater::State::Processing);
    QCOMPARE(f.updater->oracleRequests.size(), 2);
    QCOMPARE(f.updater->processedCount(), 1);

    QVERIFY(f.delay(10000, 2));
    QCOMPARE(f.updater->state(), Updater::State::Paused);
    QCOMPARE(f.updater->processedCount(), 2);

    // A new stroke ends the pause and asks the oracle at once.
    f.schedule();
    QCOMPARE(f.updater->state(), Updater::State::Processing);
    QCOMPARE(f.updater->oracleRequests.size(), 3);
    QCOMPARE(f.updater->oracleRequests.last().size(), 3);
}

void TestUpdater::resumeTimerResumesProcessing()
{
    Fixture f;
    f.schedule();
    f.delay(20, 1);
    QCOMPARE(f.updater->state(), Updater::State::Paused);
    QTRY_COMPARE(f.updater->resumes, 1);
    QCOMPARE(f.updater->state(), Updater::State::Processing);
    QTest::qWait(60);
    QCOMPARE(f.updater->resumes, 1);
}

void TestUpdater::checkOutsideMaskStillReplies()
{
    Fixture f;
    const RecognitionResult model = inkedModel();
    UpdateIdle idle(model, 2);
    f.updater->processRequest(&idle);
    f.post(UpdaterRequestKind::IncomingTask);
    f.post(UpdaterRequestKind::SendWhenIdle);

    CheckTask outside(Updater::State::Processing);
    QVERIFY(!f.updater->processRequest(&outside));
    QCOMPARE(outside.model, model);
    QCOMPARE(outside.flags, Updater::SendPending | Updater::PenActive);

    f.schedule();
    f.update(RecognitionResult(), 1);
    CheckTask inside(Updater::State::Processing | Updater::State::Paused);
    QVERIFY(f.updater->processRequest(&inside));
    QCOMPARE(inside.pendingStrokes, f.updater->pendingStrokes());
    QCOMPARE(inside.processedCount, 1);
    QCOMPARE(inside.flags, 0);
}

void TestUpdater::clearContextDeletesPendingStrokesOnce_data()
{
    QTest::addColumn<bool>("paused");
    QTest::addColumn<int>("clearSignals");
    QTest::newRow("processing") << false << 1;
    QTest::newRow("paused") << true << 0;
}

void TestUpdater::clearContextDeletesPendingStrokesOnce()
{
    QFETCH(bool, paused);
    QFETCH(int, clearSignals);
    Fixture f;
    QSignalSpy cleared(f.updater, &Updater::updaterClearContextEvent);
    f.schedule();
    f.schedule();
    if (paused)
        f.delay(10000, 2);
    QVERIFY(f.post(UpdaterRequestKind::ClearContext));
    QCOMPARE(cleared.size(), clearSignals);
    QCOMPARE(f.strokesInScene(), 0);
    QVERIFY(f.updater->pendingStrokes().isEmpty());
    QCOMPARE(f.updater->state(), Updater::State::Idle);
    QVERIFY(f.post(UpdaterRequestKind::ClearContext));
    QCOMPARE(f.updater->flags(), 0);
}

void TestUpdater::sendWhenIdleWaitsForFinalize_data()
{
    QTest::addColumn<bool>("penDownBetween");
    QTest::newRow("honoured") << false;
    QTest::newRow("withdrawn by a pen-down") << true;
}

void TestUpdater::sendWhenIdleWaitsForFinalize()
{
    QFETCH(bool, penDownBetween);
    Fixture f;
    QSignalSpy timeout(f.updater, &Updater::timeout);
    f.updater->penDownEvent();
    f.updater->penUpEvent(f.stroke());
    f.post(UpdaterRequestKind::SendWhenIdle);
    QCOMPARE(timeout.size(), 0);
    if (penDownBetween)
        f.updater->penDownEvent();
    f.update(inkedModel(), 1);
    f.finalize(inkedModel());
    QCOMPARE(f.updater->state(), Updater::State::Idle);
    QCOMPARE(timeout.size(), penDownBetween ? 0 : 1);
    QCOMPARE(f.updater->flags() & Updater::SendPending, 0);
}

void TestUpdater::autoSendAfterDelayWhenIdle_data()
{
    QTest::addColumn<bool>("penActive");
    QTest::newRow("idle") << false;
    QTest::newRow("pen down again") << true;
}

void TestUpdater::autoSendAfterDelayWhenIdle()
{
    QFETCH(bool, penActive);
    BehaviourSettings behaviour;
    behaviour.autoSend = true;
    behaviour.autoSendSpeed = 80;
    Fixture f(behaviour);
    QSignalSpy timeout(f.updater, &Updater::timeout);
    QSignalSpy empty(f.updater, &Updater::emptyFullScreenWritepad);
    f.updater->penDownEvent();
    QCOMPARE(f.updater->sendHoldMask(), Updater::StrokeWorkHold);
    f.updater->penUpEvent(f.stroke());
    if (penActive)
        f.updater->penDownEvent();
    f.update(inkedModel(), 1);
    QElapsedTimer clock;
    clock.start();
    f.finalize(inkedModel());
    QCOMPARE(f.updater->send()->isActive(), !penActive);
    if (penActive) {
        QTest::qWait(200);
        QCOMPARE(timeout.size(), 0);
        QCOMPARE(f.updater->sendHoldMask(), Updater::StrokeWorkHold);
        return;
    }
    QTRY_COMPARE(timeout.size(), 1);
    QVERIFY(clock.elapsed() >= 75);
    QCOMPARE(empty.size(), 1);
    QVERIFY(!f.updater->send()->isActive());
}

void TestUpdater::updateIdleTypesetsAndExports()
{
    Fixture f;
    QSignalSpy exported(f.updater, &Updater::exportModel);
    UpdateIdle quiet(inkedModel(), 1);
    f.updater->processRequest(&quiet);
    QCOMPARE(exported.size(), 0);
    QCOMPARE(f.updater->typesets.last().mode, 1);
    QCOMPARE(f.updater->flags(), 0);

    UpdateIdle loud(RecognitionResult(), Updater::ExportPending | 3);
    f.updater->processRequest(&loud);
    QCOMPARE(exported.size(), 1);
    QCOMPARE(f.updater->typesets.last().mode, 3);
    QCOMPARE(f.updater->flags(), 0);
    QVERIFY(f.updater->oracleRequests.isEmpty());
}

void TestUpdater::penUpWithoutItem()
{
    Fixture f;
    QGraphicsRectItem *background = f.scene->transparentRectItem();
    f.updater->penDownEvent();
    QCOMPARE(f.updater->flags() & Updater::PenActive, int(Updater::PenActive));
    f.updater->penUpEvent(nullptr);
    QCOMPARE(f.updater->state(), Updater::State::Idle);
    QVERIFY(f.updater->oracleRequests.isEmpty());
    QVERIFY(background->hasCursor());
    QTRY_COMPARE(background->cursor().shape(),
                 f.scene->style().cursor(ItemStyle::IdleCursor).shape());
}

void TestUpdater::emptiness()
{
    Fixture f;
    QVERIFY(f.updater->isEmpty());
    f.updater->penDownEvent();
    QVERIFY(!f.updater->isEmpty());
    f.post(UpdaterRequestKind::AbortTask);
    QVERIFY(f.updater->isEmpty());
    UpdateIdle idle(inkedModel(), 0);
    f.updater->processRequest(&idle);
    QVERIFY(!f.updater->isEmpty());
    QSignalSpy magic(f.updater, &Updater::enableMagicAction);
    f.updater->enableMagicActionSignal(true);
    f.post(UpdaterRequestKind::ClearContext);
    f.updater->enableMagicActionSignal(true);
    QCOMPARE(magic.size(), 2);
    QCOMPARE(magic[0][0].toBool(), true);
    QCOMPARE(magic[1][0].toBool(), false);
}

void TestUpdater::importedModelAlignsTheViews()
{
    Fixture f;
    ScrivelView first(CursiveMode, f.scene.data(), 1);
    ScrivelView second(CursiveMode, f.scene.data(), 1);
    ScrivelView third(CursiveMode, f.scene.data(), 1);
    for (ScrivelView *view : {&first, &second, &third})
        view->resize(300, 100);
    RecognitionResult model;
    model.layout().alignment = Qt::AlignRight;
    f.updater->importModelEvent(model);
    QCOMPARE(first.transform().dx(), 300.0);
    QCOMPARE(second.transform().dx(), 300.0);
    QCOMPARE(third.transform().dx(), 0.0);
    f.updater->importModelEvent();
    QCOMPARE(first.transform().dx(), 0.0);
}

QTEST_MAIN(TestUpdater)
#include "tst_updater.moc"
