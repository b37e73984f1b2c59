#include "recofixtures.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QSignalSpy>
#include <QtTest>

using namespace fixtures;

namespace {

RecognizerEngine parametersWith(qint32 speed, quint32 flags)
{
    RecognizerEngine p;
    p.speedQualityCompromise = speed;
    p.parameter2 = 3;
    p.parameter3 = 4;
    p.parameter4 = 6;
    p.flags = flags;
    return p;
}

// The calls that feed the input, without object bookkeeping.
QStringList inputCalls()
{
    QStringList calls;
    for (const QString &c : RecordingEngine::calls()) {
        if (!c.startsWith("create") && !c.startsWith("release") && !c.startsWith("prop"))
            calls.append(c);
    }
    return calls;
}

// A handler whose resource operations are open to the tests.
class ResourceProbe : public ThreadedRecoEventHandler
{
public:
    ResourceProbe() : ThreadedRecoEventHandler(engineBinding().engine, RecognizerEngine()) {}
    using ThreadedRecoEventHandler::addResource;
    using ThreadedRecoEventHandler::attachResource;
    using ThreadedRecoEventHandler::buildLexicon;
};

} // namespace

class TestRecoHandler : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void construction_data();
    void construction();
    void failedObjectsLeaveItUnconfigured_data();
    void failedObjectsLeaveItUnconfigured();
    void freeWritingInput_data();
    void freeWritingInput();
    void boxedInput();
    void characterLabels_data();
    void characterLabels();
    void alienCharacterIsCentredInTheLineBox();
    void burstOfUpdatesRunsOnce();
    void queuedUnitKind();
    void abortedRunEmitsNothing();
    void resources_data();
    void resources();
    void lexicon();

private:
    RecordingSession *session = nullptr;
};

void TestRecoHandler::init()
{
    session = new RecordingSession;
    QVERIFY(session->started);
    RecordingEngine::reset();
}

void TestRecoHandler::cleanup()
{
    delete session;
    QCOMPARE(RecordingEngine::liveObjects(), 0);
}

void TestRecoHandler::construction_data()
{
    QTest::addColumn<qint32>("speed");
    QTest::addColumn<QStringList>("calls");
    const QStringList limits = {"prop 12d0001 6 4", "prop 12d0002 4 4", "prop 12d0003 3 4"};
    QTest::newRow("speed 0 not sent") << 0 << QStringList({"create 303"}) + limits
                                             + QStringList({"create 108"});
    QTest::newRow("speed as its low byte")
        << 0x17f << QStringList({"create 303", "prop 12c0000 127 1"}) + limits
                        + QStringList({"create 108"});
}

void TestRecoHandler::construction()
{
    QFETCH(qint32, speed);
    QFETCH(QStringList, calls);
    ThreadedRecoEventHandler handler(engineBinding().engine, parametersWith(speed, 0));
    QVERIFY(handler.isConfigured());
    QCOMPARE(RecordingEngine::calls(), calls);
    QCOMPARE(handler.logPrefix(), QStringLiteral("Recognizer[?] :"));
}

void TestRecoHandler::failedObjectsLeaveItUnconfigured_data()
{
    QTest::addColumn<uint>("failing");
    QTest::newRow("recognizer") << uint(ZK_TYPE_RECOGNIZER);
    QTest::newRow("input") << uint(ZK_TYPE_INK_INPUT);
}

void TestRecoHandler::failedObjectsLeaveItUnconfigured()
{
    QFETCH(uint, failing);
    RecordingEngine::failCreate(failing);
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QVERIFY(!handler.isConfigured());
}

void TestRecoHandler::freeWritingInput_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QStringList>("calls");
    // Boxes written right to left, then a pen word; the boxes reach the
    // engine in the order of the language.
    const QStringList head = {"clear", "unit 2000003"};
    const QStringList tail = {"stroke 10 60,0"};
    QTest::newRow("left to right")
        << quint32(RecognizerConfig::LeftToRight)
        << head + QStringList({"char a 0 0 10 10", "char b 20 0 10 10", "char c 40 0 10 10"})
               + tail;
    QTest::newRow("right to left")
        << quint32(RecognizerConfig::RightToLeft)
        << head + QStringList({"char c 40 0 10 10", "char b 20 0 10 10", "char a 0 0 10 10"})
               + tail;
}

void TestRecoHandler::freeWritingInput()
{
    QFETCH(quint32, flags);
    QFETCH(QStringList, calls);
    ThreadedRecoEventHandler handler(engineBinding().engine, parametersWith(0, flags));
    RecordingEngine::reset();
    const Segment typed = word({character({box(40, 0)}, "c"), character({box(20, 0)}, "b"),
                                character({box(0, 0)}, "a")});
    // A guide box without height is not passed.
    handler.updateRecognitionResultEvent(
        model({typed, word({character({pen(60, 0)}, "#")})}), QRectF(0, 0, 10, 0));
    QCOMPARE(inputCalls(), calls);
}

void TestRecoHandler::boxedInput()
{
    ThreadedRecoEventHandler handler(engineBinding().engine, parametersWith(0, RecognizerConfig::LeftToRight));
    RecordingEngine::reset();
    const Segment typed = word({character({box(0, 0)}, "a"), character({box(20, 0)}, "b")});
    handler.updateRecognitionResultEvent(
        model({typed, word({character({pen(40, 0), pen(42, 5)}, "#")})}),
        QRectF(40, 0, 30, 30), true);
    QCOMPARE(inputCalls(), QStringList({"clear", "unit 2000000", "string a", "unit 2000000",
                                        "string b", "unit 2000000", "guide 40 0 30 30",
                                        "stroke 10 40,0", "stroke 10 42,5"}));
}

void TestRecoHandler::characterLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("given");
    QTest::newRow("full-width symbol") << QStringLiteral("＋") << "+";
    QTest::newRow("full-width letter") << QStringLiteral("Ａ") << "A";
    QTest::newRow("ascii symbol") << "+" << "+";
    QTest::newRow("ideograph") << QStringLiteral("漢") << QStringLiteral("漢");
}

void TestRecoHandler::characterLabels()
{
    QFETCH(QString, label);
    QFETCH(QString, given);
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    RecordingEngine::reset();
    handler.updateRecognitionResultEvent(model({word({character({box(0, 0)}, label)})}));
    QCOMPARE(inputCalls().value(2), "char " + given + " 0 0 10 10");
}

void TestRecoHandler::alienCharacterIsCentredInTheLineBox()
{
    ThreadedRecoEventHandler handler(engineBinding().engine, parametersWith(0, RecognizerConfig::LeftToRight));
    RecordingEngine::reset();
    const Segment alien = character({box(100, 0, 20)}, QStringLiteral("∑"));
    RecognitionResult r = model({word({character({box(0, 0)}, "a"), alien})});
    r.storeInkOfType(2, alien.ink());
    r.layout().lineSpacing = 8;
    r.layout().linePositions = {50};
    handler.updateRecognitionResultEvent(r);
    // Line box (0, 50 - 16, 8, 16) centred on the written box's centre x 110.
    QCOMPARE(inputCalls().mid(2), QStringList({"char a 0 0 10 10", "char 8 106 34 8 16"}));
}

void TestRecoHandler::burstOfUpdatesRunsOnce()
{
    RecordingEngine::setResult(
        {branch({segment({record(0, 0, 0, 0, 0, 9)},
                         {branch({segment({record(0, 0, 0, 0, 0, 9)}, {leaf("x")})})})})});
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QSignalSpy spy(&handler, &ThreadedRecoEventHandler::result);
    handler.updateRecognitionResultEvent(model({word({character({pen(0, 0)}, "#")})}));
    handler.updateRecognitionResultEvent(
        model({word({character({pen(0, 0)}, "#")}), word({character({pen(30, 0)}, "#")})}));
    QVERIFY(spy.wait(1000));
    QTest::qWait(20);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(RecordingEngine::calls().count("run"), 1);
    QCOMPARE(RecordingEngine::calls().count("bind"), 1);
    const RecognitionResult r = spy.at(0).at(0).value<RecognitionResult>();
    QCOMPARE(r.root().selectedCandidate().label(), QStringLiteral("x"));
    QCOMPARE(r.root().ink().pieces().size(), 2);
}

void TestRecoHandler::queuedUnitKind()
{
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    RecordingEngine::reset();
    QVERIFY(QMetaObject::invokeMethod(&handler, "startRecognitionUnit", Qt::QueuedConnection,
                                      Q_ARG(zkId, ZK_UNIT_BOXED)));
    QTRY_VERIFY(RecordingEngine::calls().contains("unit 2000000"));
}

void TestRecoHandler::abortedRunEmitsNothing()
{
    RecordingEngine::setResult({branch({})});
    RecordingEngine::setProgressCalls(3);
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QSignalSpy spy(&handler, &ThreadedRecoEventHandler::result);
    // An abort before a run is forgotten by the run.
    handler.abortRecognition();
    handler.recognize();
    QCOMPARE(spy.size(), 1);
    // The engine asks for progress; an abort meanwhile stops the run.
    RecordingEngine::reset();
    RecordingEngine::setResult({branch({})});
    RecordingEngine::setProgressCalls(5000);
    std::unique_ptr<QThread> aborter(QThread::create([&handler] {
        while (!RecordingEngine::runStarted())
            QThread::yieldCurrentThread();
        handler.abortRecognition();
    }));
    aborter->start();
    QElapsedTimer clock;
    clock.start();
    handler.recognize();
    aborter->wait();
    QVERIFY(clock.elapsed() < 2500);
    QCOMPARE(spy.size(), 1);
}

void TestRecoHandler::resources_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("refused");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("calls");
    const QStringList plain = {"load data", "attach 320", "release 320"};
    QTest::newRow("plain") << "lm.res" << QByteArray() << true << plain;
    QTest::newRow("-ak in the folder only") << "x-ak/lm.res" << QByteArray() << true << plain;
    const QStringList extra = {"create 318", "prepare", "entry f3b08080", "entry f3b08081",
                               "attach 318", "release 318"};
    QTest::newRow("-ak adds two entries")
        << "en-ak-cur.res" << QByteArray() << true
        << QStringList({"load data", "attach 320", "release 320"}) + extra;
    QTest::newRow("refused") << "en-ak-cur.res" << QByteArray("data") << false
                             << QStringList({"load data", "attach 320", "release 320"});
    QTest::newRow("missing file") << "none-ak.res" << QByteArray() << false << QStringList();
}

void TestRecoHandler::resources()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, refused);
    QFETCH(bool, ok);
    QFETCH(QStringList, calls);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    if (!name.startsWith("none")) {
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(file).path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("data");
        file.close();
    }
    {
        ResourceProbe handler;
        RecordingEngine::reset();
        RecordingEngine::refuseResource(refused);
        QCOMPARE(handler.addResource(file.fileName()), ok);
        QCOMPARE(RecordingEngine::calls(), calls);
        QVERIFY(!handler.attachResource(0));
        RecordingEngine::reset();
    }
    // The destructor detaches what was attached and releases its objects.
    for (const QString &c : RecordingEngine::calls())
        QVERIFY2(!c.startsWith("attach"), qPrintable(c));
}

void TestRecoHandler::lexicon()
{
    ResourceProbe handler;
    RecordingEngine::reset();
    const zkId lexicon = handler.buildLexicon({"cat", "dog"});
    QVERIFY(lexicon);
    QCOMPARE(RecordingEngine::calls(),
             QStringList({"create 315", "word cat", "word dog", "finish"}));
    QVERIFY(handler.attachResource(lexicon));
    // A refused word gives no lexicon and leaves no object behind.
    const int alive = RecordingEngine::liveObjects();
    QCOMPARE(handler.buildLexicon({"cat", ""}), 0u);
    QCOMPARE(RecordingEngine::liveObjects(), alive);
}

QTEST_GUILESS_MAIN(TestRecoHandler)
#include "tst_recohandler.moc"
