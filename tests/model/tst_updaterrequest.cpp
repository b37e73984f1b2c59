#include "model/updaterrequest.h"

#include <QTest>

class TestUpdaterRequest : public QObject
{
    Q_OBJECT

private slots:
    void checkTaskStartsWithEmptyReply();
};

void TestUpdaterRequest::checkTaskStartsWithEmptyReply()
{
    const CheckTask check(UpdaterState::Processing | UpdaterState::Paused);
    QCOMPARE(check.kind, UpdaterRequestKind::CheckTask);
    QCOMPARE(check.mask.toInt(), 6);
    QVERIFY(check.pendingStrokes.isEmpty());
    QCOMPARE(check.model, RecognitionResult());
    QCOMPARE(check.processedCount, 0);
    QCOMPARE(check.flags, 0);
}

QTEST_GUILESS_MAIN(TestUpdaterRequest)
#include "tst_updaterrequest.moc"
