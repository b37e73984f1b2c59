#include "pad/padclock.h"
#include "pad/padtimer.h"

#include <QSignalSpy>
#include <QTest>

// The frozen pad clock and the timers it drives.
class TestPadClock : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { PadClock::thaw(); }
    void timersFireInDueOrderAtTheirTime_data();
    void timersFireInDueOrderAtTheirTime();
    void restartedTimerGetsAFreshInterval();
    void timerStartedInItsOwnTimeoutRunsOnce();
    void wallClockTimerStillFires();
};

void TestPadClock::timersFireInDueOrderAtTheirTime_data()
{
    QTest::addColumn<QTime>("origin");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("advance");
    QTest::addColumn<QString>("fired");
    const QTime morning(10, 0);
    QTest::newRow("both, in due order") << morning << 1500 << 100 << 2000 << "b@100 a@1500";
    QTest::newRow("one short of the later") << morning << 1500 << 100 << 1499 << "b@100";
    QTest::newRow("exactly due") << morning << 0 << 4000 << 4000 << "a@0 b@4000";
    QTest::newRow("nothing due") << morning << 10 << 20 << 9 << "";
    QTest::newRow("across midnight")
        << QTime(23, 59, 59, 500) << 400 << 700 << 1000 << "a@400 b@700";
}

void TestPadClock::timersFireInDueOrderAtTheirTime()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, advance);
    QFETCH(QString, fired);
    QFETCH(QTime, origin);
    PadClock::freeze(origin);
    const StrokeStamp start = PadClock::now();
    PadTimer a, b;
    QStringList log;
    connect(&a, &PadTimer::timeout, this,
            [&] { log << "a@" + QString::number(start.msecsTo(PadClock::now())); });
    connect(&b, &PadTimer::timeout, this,
            [&] { log << "b@" + QString::number(start.msecsTo(PadClock::now())); });
    a.start(first);
    b.start(second);
    PadClock::advance(advance);
    QCOMPARE(log.join(' '), fired);
    QCOMPARE(start.msecsTo(PadClock::now()), qint64(advance));
    QCOMPARE(a.isActive(), advance < first);
}

void TestPadClock::restartedTimerGetsAFreshInterval()
{
    PadClock::freeze(QTime(23, 59, 59));
    PadTimer t;
    QSignalSpy spy(&t, &PadTimer::timeout);
    t.start(1000);
    PadClock::advance(600);
    QCOMPARE(t.remainingTime(), 400);
    t.start(1000);
    PadClock::advance(600);
    QCOMPARE(spy.size(), 0);
    PadClock::advance(400);
    QCOMPARE(spy.size(), 1);
    QVERIFY(!t.isActive());
    // The frozen time runs on past midnight.
    QCOMPARE(PadClock::time(), QTime(0, 0, 0, 600));
}

void TestPadClock::timerStartedInItsOwnTimeoutRunsOnce()
{
    PadClock::freeze(QTime(8, 0));
    PadTimer t;
    int count = 0;
    connect(&t, &PadTimer::timeout, this, [&] {
        if (++count == 1)
            t.start(50);
    });
    t.start(10);
    PadClock::advance(1000);
    QCOMPARE(count, 2);
}

void TestPadClock::wallClockTimerStillFires()
{
    PadTimer t;
    QSignalSpy spy(&t, &PadTimer::timeout);
    t.start(5);
    QVERIFY(spy.wait(1000));
    QVERIFY(!t.isActive());
    QCOMPARE(t.remainingTime(), -1);
}

QTEST_GUILESS_MAIN(TestPadClock)
#include "tst_padclock.moc"
