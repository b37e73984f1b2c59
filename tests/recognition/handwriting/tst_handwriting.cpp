#include "inkreader.h"
#include "platform/winapi.h"
#include "recognition/enginebinding.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QSignalSpy>
#include <QtTest>

// Handwriting through the engine library and its language packages, from a
// pad's model to the recognition result.
class TestHandwriting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void englishLine();
    void japaneseBoxed_data();
    void japaneseBoxed();
    void gesturePresetLoadsItsPackage();
    void trainingSetReadBack();
    void trainingWithoutAStoredResourceFails();

private:
    RecognitionResult recognize(const RecognizerConfig &config, const RecognitionResult &model,
                                const QRectF &box = QRectF(), bool boxed = false);
    int liveObjects() const;

    int aliveAtStart = 0;
};

static QString dataFile(const char *name)
{
    return QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/") + name;
}

// The same strokes in any order.
static bool sameStrokes(const QList<Stroke> &a, const QList<Stroke> &b)
{
    if (a.size() != b.size())
        return false;
    for (const Stroke &s : a) {
        if (!b.contains(s))
            return false;
    }
    return true;
}

static RecognizerConfig languageConfig(const QString &language, const QStringList &files)
{
    RecognizerConfig config;
    config.languageName = language;
    config.setResourceName(language);
    config.setFlag(RecognizerConfig::LeftToRight, true);
    for (const QString &f : files)
        config.resources.append(":/data/languages/" + language + "/" + language + f);
    return config;
}

// One boxed training sample per label, written with the label's ink.
static bool addSamples(ThreadedRecoEventHandler &handler,
                       const QMap<QString, QList<Stroke>> &inks, const QStringList &labels)
{
    for (const QString &label : labels) {
        handler.startRecognitionUnit(ThreadedRecoEventHandler::BoxedUnit);
        handler.setGuideBox(0, 0, 100, 100);
        for (const Stroke &s : inks.value(label))
            handler.addStroke(s);
        if (!handler.addTrainingSample(label))
            return false;
        handler.clear();
    }
    return true;
}

int TestHandwriting::liveObjects() const
{
    using Count = int32_t (*)();
    const auto count = reinterpret_cast<Count>(
        GetProcAddress(engineBinding().library, "zkLiveObjectCount"));
    return count ? count() : -1;
}

void TestHandwriting::initTestCase()
{
    QVERIFY(startEngine());
    aliveAtStart = liveObjects();
    QVERIFY(aliveAtStart >= 0);
}

void TestHandwriting::cleanupTestCase()
{
    QCOMPARE(liveObjects(), aliveAtStart);
    stopEngine();
}

RecognitionResult TestHandwriting::recognize(const RecognizerConfig &config,
                                             const RecognitionResult &model, const QRectF &box,
                                             bool boxed)
{
    InstantRecognizer recognizer(config);
    QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
    recognizer.start(QThread::LowPriority);
    if (!configured.wait(10000) || !configured.at(0).at(0).toBool())
        return RecognitionResult();
    QSignalSpy result(recognizer.handler(), &ThreadedRecoEventHandler::result);
    QMetaObject::invokeMethod(recognizer.handler(), "updateRecognitionResultEvent",
                              Qt::QueuedConnection, Q_ARG(RecognitionResult, model),
                              Q_ARG(QRectF, box), Q_ARG(bool, boxed));
    if (!QTest::qWaitFor([&result] { return result.size() > 0; }, 10000))
        return RecognitionResult();
    return result.at(0).at(0).value<RecognitionResult>();
}

void TestHandwriting::englishLine()
{
    const QList<Stroke> ink = readInkFile(dataFile("latin.ink")).value("hello world");
    QVERIFY(!ink.isEmpty());
    const RecognitionResult r =
        recognize(languageConfig("en_US", {"-ak-cur.res", "-lk-text.res"}),
                  unrecognisedModel(ink));
    QCOMPARE(r.root().selectedCandidate().label(), QStringLiteral("hello world"));

    const QList<Segment> words = r.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 3);
    QCOMPARE(words.at(1).selectedCandidate().label(), QStringLiteral(" "));
    QVERIFY(words.at(0).candidates().size() > 1);
    // Each word's ink is exactly the strokes written for it: "hello" has 6.
    QVERIFY(sameStrokes(words.at(0).ink().strokes(), ink.mid(0, 6)));
    QVERIFY(sameStrokes(words.at(2).ink().strokes(), ink.mid(6)));
    QVERIFY(words.at(1).ink().isEmpty());
    QCOMPARE(r.root().ink().strokes().size(), ink.size());

    QCOMPARE(r.layout().alignment, int(Qt::AlignLeft));
    QCOMPARE(r.layout().linePositions.size(), 1);
    QVERIFY(r.layout().lineSpacing > 0);
    // The baseline lies near the foot of the letters (y 87 in the fixture).
    QVERIFY2(qAbs(r.layout().linePositions.first() - 87) < 15,
             qPrintable(QString::number(r.layout().linePositions.first())));
}

void TestHandwriting::japaneseBoxed_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("日") << QStringLiteral("日");
    QTest::newRow("十") << QStringLiteral("十");
    QTest::newRow("人") << QStringLiteral("人");
}

void TestHandwriting::japaneseBoxed()
{
    QFETCH(QString, label);
    const QList<Stroke> ink = readInkFile(dataFile("japanese.ink")).value(label);
    QVERIFY(!ink.isEmpty());
    RecognizerConfig config = languageConfig("ja_JP", {"-ak-iso.res", "-lk-common.res"});
    config.setFlag(RecognizerConfig::CjkWords, true);
    const RecognitionResult r =
        recognize(config, unrecognisedModel(ink), QRectF(0, 0, 100, 100), true);
    const QList<Segment> words = r.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words.first().selectedCandidate().label(), label);
    QVERIFY(sameStrokes(words.first().ink().strokes(), ink));
}

void TestHandwriting::gesturePresetLoadsItsPackage()
{
    RecognizerConfig config;
    config.setGestures();
    InstantRecognizer recognizer(config);
    QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
    recognizer.start();
    QVERIFY(configured.wait(10000));
    QVERIFY(configured.at(0).at(0).toBool());
}

void TestHandwriting::trainingSetReadBack()
{
    const QMap<QString, QList<Stroke>> inks = readInkFile(dataFile("japanese.ink"));
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QVERIFY(handler.initTrainer());
    QVERIFY(addSamples(handler, inks, {"日", "十", "人"}));
    QVERIFY(handler.removeTrainingSample(1));
    const int penStrokes = inks.value("日").size() + inks.value("人").size();

    const RecognitionResult r = handler.convertEngineResult();
    QCOMPARE(r.root().selectedCandidate().label(), QStringLiteral("日人"));
    int boxes = 0, pens = 0;
    for (const Stroke &s : r.root().ink().strokes())
        ++(s.kind() == Stroke::Box ? boxes : pens);
    QCOMPARE(boxes, 2);
    QCOMPARE(pens, penStrokes);

    // Training succeeds only with its resource stored.
    QTemporaryDir dir;
    const QString stored = dir.filePath("user-ak-iso.res");
    QVERIFY(handler.trainAndStore(stored));
    QVERIFY(QFileInfo(stored).size() > 0);
}

void TestHandwriting::trainingWithoutAStoredResourceFails()
{
    const QMap<QString, QList<Stroke>> inks = readInkFile(dataFile("japanese.ink"));
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QVERIFY(handler.initTrainer());
    QVERIFY(addSamples(handler, inks, {"日", "人"}));
    QVERIFY(!handler.trainAndStore(QStringLiteral("/nonexistent/folder/user-ak-iso.res")));
}

QTEST_GUILESS_MAIN(TestHandwriting)
#include "tst_handwriting.moc"
