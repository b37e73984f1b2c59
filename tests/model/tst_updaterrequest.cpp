#include "model/resultbuilding.h"
#include "model/updaterrequest.h"

#include <QTest>

class TestUpdaterRequest : public QObject
{
    Q_OBJECT

private slots:
    void checkTaskStartsWithEmptyReply();
    void recordsCarryTheirKind();
};

void TestUpdaterRequest::checkTaskStartsWithEmptyReply()
{
    const CheckTask check(CheckTask::Processing | CheckTask::Paused);
    QCOMPARE(check.kind, UpdaterRequestKind::CheckTask);
    QCOMPARE(check.mask, 6);
    QVERIFY(check.pendingStrokes.isEmpty());
    QCOMPARE(check.model, RecognitionResult());
    QCOMPARE(check.processedCount, 0);
    QCOMPARE(check.flags, 0);
}

void TestUpdaterRequest::recordsCarryTheirKind()
{
    const RecognitionResult r = resultFromText("a", 0);
    const UpdateTask update(r, 3, 0x10);
    const FinalizeTask finalize(r, 0x20);
    const UpdateIdle idle(r, 0x40);
    const DelayTask delay(650, 2);
    const ScheduleTask schedule(nullptr);
    const UpdaterRequest abort(UpdaterRequestKind::AbortTask);

    QCOMPARE(int(update.kind), 6);
    QCOMPARE(update.result, r);
    QCOMPARE(update.count, 3);
    QCOMPARE(update.flagWord, 0x10);
    QCOMPARE(int(finalize.kind), 7);
    QCOMPARE(finalize.flagWord, 0x20);
    QCOMPARE(int(idle.kind), 10);
    QCOMPARE(idle.result, r);
    QCOMPARE(int(delay.kind), 8);
    QCOMPARE(delay.delay, 650);
    QCOMPARE(delay.count, 2);
    QCOMPARE(int(schedule.kind), 4);
    QCOMPARE(int(abort.kind), 2);
    QCOMPARE(int(UpdaterRequestKind::IncomingTask), 1);
    QCOMPARE(int(UpdaterRequestKind::SendWhenIdle), 11);
}

QTEST_GUILESS_MAIN(TestUpdaterRequest)
#include "tst_updaterrequest.moc"
