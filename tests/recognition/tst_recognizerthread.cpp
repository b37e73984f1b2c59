#include "recofixtures.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"
#include "recognition/trainingrecognizer.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>

using namespace fixtures;

namespace {

void scriptOneWord()
{
    RecordingEngine::setResult(
        {branch({segment({record(0, 0, 0, 0, 0, 9)},
                         {branch({segment({record(0, 0, 0, 0, 0, 9)}, {leaf("x")})})})})});
}

void queueUpdate(ThreadedRecoEventHandler *handler)
{
    QMetaObject::invokeMethod(
        handler, "updateRecognitionResultEvent", Qt::QueuedConnection,
        Q_ARG(RecognitionResult, model({word({character({pen(0, 0)}, "#")})})));
}

// Starts a recognizer as its owners do and waits for its configured signal.
// Returns once the handler's thread has handled every event queued to it before.
void drain(ThreadedRecoEventHandler *handler)
{
    QMetaObject::invokeMethod(handler, [] {}, Qt::BlockingQueuedConnection);
}

bool startAndWait(ThreadedRecognizer *recognizer)
{
    QSignalSpy configured(recognizer, &ThreadedRecognizer::configured);
    recognizer->start(QThread::LowPriority);
    return configured.wait(5000) && configured.at(0).at(0).toBool();
}

// Counts the warnings about timers touched from a thread that does not own them.
class TimerWarnings
{
public:
    TimerWarnings()
    {
        s_count = 0;
        s_previous = qInstallMessageHandler(&TimerWarnings::handle);
    }
    ~TimerWarnings() { qInstallMessageHandler(s_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.contains(QLatin1String("from another thread")))
            ++s_count;
        s_previous(type, context, message);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline std::atomic<int> s_count{0};
};

} // namespace

class TestRecognizerThread : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void setParameter_data();
    void setParameter();
    void withoutEngineConfiguredIsFalse_data();
    void withoutEngineConfiguredIsFalse();
    void handlerLivesInTheThreadAndAnswers();
    void deletingJoinsAndReleases();
    void replacedRecognizerAnnouncesNothing();
    void abortStopsTheRunningRecognition();
    void deletingDuringALongRunReturnsPromptly();
    void deletingWithARequestPendingWarnsNothing_data();
    void deletingWithARequestPendingWarnsNothing();
    void deletingADerivedRecognizerWhileItStarts_data();
    void deletingADerivedRecognizerWhileItStarts();

private:
    RecordingSession *session = nullptr;
};

void TestRecognizerThread::init()
{
    session = new RecordingSession;
    QVERIFY(session->started);
}

void TestRecognizerThread::cleanup()
{
    delete session;
    QCOMPARE(RecordingEngine::liveObjects(), 0);
}

void TestRecognizerThread::setParameter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<qint32>>("words");
    QTest::newRow("0") << 0 << QList<qint32>{2, 9, 5, 5};
    QTest::newRow("1") << 1 << QList<qint32>{2, 1, 9, 5};
    QTest::newRow("2") << 2 << QList<qint32>{2, 1, 5, 9};
    QTest::newRow("3") << 3 << QList<qint32>{2, 1, 5, 5};
    QTest::newRow("-1") << -1 << QList<qint32>{2, 1, 5, 5};
}

void TestRecognizerThread::setParameter()
{
    QFETCH(int, index);
    QFETCH(QList<qint32>, words);
    RecognizerEngine block{RecognizerConfig()};
    block.setParameter(index, 9);
    QCOMPARE(QList<qint32>({block.parameter1, block.parameter2, block.parameter3,
                            block.parameter4}),
             words);
}

void TestRecognizerThread::withoutEngineConfiguredIsFalse_data()
{
    QTest::addColumn<bool>("instant");
    QTest::newRow("threaded") << false;
    QTest::newRow("instant") << true;
}

void TestRecognizerThread::withoutEngineConfiguredIsFalse()
{
    QFETCH(bool, instant);
    delete session;
    session = nullptr;
    RecordingEngine::reset();
    QVERIFY(!engineBinding().isBound());
    RecognizerConfig config;
    config.languageName = "recotest";
    config.resources = QStringList{":/data/languages/recotest/lm.res"};
    std::unique_ptr<ThreadedRecognizer> recognizer(
        instant ? new InstantRecognizer(config) : new ThreadedRecognizer(config));
    QVERIFY(!startAndWait(recognizer.get()));
    QVERIFY(recognizer->handler());
    recognizer.reset();
    QVERIFY(RecordingEngine::calls().isEmpty());
    session = new RecordingSession;
}

void TestRecognizerThread::handlerLivesInTheThreadAndAnswers()
{
    scriptOneWord();
    ThreadedRecognizer recognizer{RecognizerConfig()};
    QVERIFY(startAndWait(&recognizer));
    QCOMPARE(recognizer.handler()->thread(), &recognizer);
    QSignalSpy result(recognizer.handler(), &ThreadedRecoEventHandler::result);
    queueUpdate(recognizer.handler());
    QTRY_COMPARE_WITH_TIMEOUT(result.size(), 1, 5000);
    QCOMPARE(result.at(0).at(0).value<RecognitionResult>().root().selectedCandidate().label(),
             QStringLiteral("x"));
}

void TestRecognizerThread::deletingJoinsAndReleases()
{
    const int alive = RecordingEngine::liveObjects();
    auto *recognizer = new ThreadedRecognizer(RecognizerConfig());
    QVERIFY(startAndWait(recognizer));
    QVERIFY(RecordingEngine::liveObjects() > alive);
    QSignalSpy finished(recognizer, &QThread::finished);
    delete recognizer;
    QCOMPARE(finished.size(), 1);
    QCOMPARE(RecordingEngine::liveObjects(), alive);
}

void TestRecognizerThread::replacedRecognizerAnnouncesNothing()
{
    QObject owner;
    int announced = 0;
    auto *recognizer = new ThreadedRecognizer(RecognizerConfig());
    connect(recognizer, &ThreadedRecognizer::configured, &owner, [&announced] { ++announced; });
    // The thread posts its announcement before its event loop runs: once the loop has
    // served the probe, the announcement waits in this thread's queue.
    auto *probe = new QObject;
    probe->moveToThread(recognizer);
    recognizer->start();
    QMetaObject::invokeMethod(
        probe, [probe] { probe->deleteLater(); }, Qt::BlockingQueuedConnection);
    delete recognizer;
    QCoreApplication::processEvents();
    QCOMPARE(announced, 0);
}

void TestRecognizerThread::abortStopsTheRunningRecognition()
{
    scriptOneWord();
    RecordingEngine::setProgressCalls(5000);
    ThreadedRecognizer recognizer{RecognizerConfig()};
    QVERIFY(startAndWait(&recognizer));
    QSignalSpy result(recognizer.handler(), &ThreadedRecoEventHandler::result);
    queueUpdate(recognizer.handler());
    QTRY_VERIFY_WITH_TIMEOUT(RecordingEngine::runStarted(), 5000);
    recognizer.handler()->abortRecognition();
    // The next update is recognised again.
    RecordingEngine::setProgressCalls(1);
    queueUpdate(recognizer.handler());
    QTRY_COMPARE_WITH_TIMEOUT(result.size(), 1, 2500);
    drain(recognizer.handler());
    QCOMPARE(result.size(), 1);
    QCOMPARE(RecordingEngine::calls().count("run"), 2);
}

void TestRecognizerThread::deletingDuringALongRunReturnsPromptly()
{
    scriptOneWord();
    RecordingEngine::setProgressCalls(5000);
    auto *recognizer = new ThreadedRecognizer(RecognizerConfig());
    QVERIFY(startAndWait(recognizer));
    QSignalSpy result(recognizer->handler(), &ThreadedRecoEventHandler::result);
    queueUpdate(recognizer->handler());
    QTRY_VERIFY_WITH_TIMEOUT(RecordingEngine::runStarted(), 5000);
    QElapsedTimer clock;
    clock.start();
    delete recognizer;
    QVERIFY(clock.elapsed() < 2500);
    // The thread is joined and the spy records in the emitting thread: nothing can follow.
    QCOMPARE(result.size(), 0);
}

void TestRecognizerThread::deletingWithARequestPendingWarnsNothing_data()
{
    QTest::addColumn<int>("progressCalls");
    QTest::newRow("idle") << 1;
    QTest::newRow("during a long run") << 5000;
}

// A request that arms the handler's timer just before the recognizer goes:
// the timer must be stopped in the recognizer thread, not by the deleter.
void TestRecognizerThread::deletingWithARequestPendingWarnsNothing()
{
    QFETCH(int, progressCalls);
    scriptOneWord();
    RecordingEngine::setProgressCalls(progressCalls);
    const TimerWarnings warnings;
    for (int round = 0; round < 3; ++round) {
        auto *recognizer = new ThreadedRecognizer(RecognizerConfig());
        QVERIFY(startAndWait(recognizer));
        queueUpdate(recognizer->handler());
        if (progressCalls > 1) {
            QTRY_VERIFY_WITH_TIMEOUT(RecordingEngine::runStarted(), 5000);
            queueUpdate(recognizer->handler());
        }
        delete recognizer;
    }
    QCOMPARE(warnings.count(), 0);
}

void TestRecognizerThread::deletingADerivedRecognizerWhileItStarts_data()
{
    QTest::addColumn<bool>("training");
    QTest::addColumn<bool>("waitForTheEngine");
    QTest::newRow("instant, at once") << false << false;
    QTest::newRow("instant, while creating its handler") << false << true;
    QTest::newRow("training, at once") << true << false;
    QTest::newRow("training, while creating its handler") << true << true;
}

// The thread makes its handler from the derived recognizer's own members:
// deleting the recognizer while the thread starts must stop the thread
// before those members go (a fault sanitizer builds show).
void TestRecognizerThread::deletingADerivedRecognizerWhileItStarts()
{
    QFETCH(bool, training);
    QFETCH(bool, waitForTheEngine);
    const int alive = RecordingEngine::liveObjects();
    QTemporaryFile trainingData;
    QVERIFY(trainingData.open());
    trainingData.write("ab cd\n");
    trainingData.flush();
    RecognizerConfig config;
    config.languageName = QStringLiteral("recotest");
    config.trainingData = trainingData.fileName();
    for (int round = 0; round < 40; ++round) {
        ThreadedRecognizer *recognizer = training
            ? static_cast<ThreadedRecognizer *>(new TrainingRecognizer(config, QString()))
            : new InstantRecognizer(config);
        QSignalSpy finished(recognizer, &QThread::finished);
        recognizer->start();
        if (waitForTheEngine) {
            QDeadlineTimer deadline(5000);
            while (RecordingEngine::liveObjects() == alive && !recognizer->isFinished()
                   && !deadline.hasExpired())
                QThread::yieldCurrentThread();
        }
        delete recognizer;
        QCOMPARE(finished.size(), 1);
        QCOMPARE(RecordingEngine::liveObjects(), alive);
    }
}

QTEST_GUILESS_MAIN(TestRecognizerThread)
#include "tst_recognizerthread.moc"
