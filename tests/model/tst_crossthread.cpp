#include "model/gestureset.h"
#include "model/metatypes.h"
#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>
#include <QThread>

#include <atomic>

namespace {

using namespace ModelFixtures;

QList<Stroke> penStrokes(int count)
{
    QList<Stroke> strokes;
    for (int i = 0; i < count; ++i)
        strokes << penThrough({{i * 10.0, 0}, {i * 10.0 + 3, 8}, {i * 10.0 + 6, 1}});
    return strokes;
}

// A text of one word per stroke group, each word of one-stroke characters.
Segment textOf(const QList<Stroke> &strokes, int charsPerWord)
{
    QList<Segment> words;
    for (int w = 0; w * charsPerWord < strokes.size(); ++w) {
        QList<Segment> characters;
        for (int c = 0; c < charsPerWord && w * charsPerWord + c < strokes.size(); ++c) {
            const Stroke s = strokes[w * charsPerWord + c];
            characters << leaf(QString(QChar('a' + c)), InkRange::fromStroke(s));
        }
        words << branch(characters);
    }
    return resultOfWords(words).root();
}

struct Answers
{
    QString label;
    int words = 0;
    QRectF rect;
    QPointF centroid;
    QRectF firstStroke;

    bool operator==(const Answers &o) const
    {
        return label == o.label && words == o.words && rect == o.rect
               && centroid == o.centroid && firstStroke == o.firstStroke;
    }
};

Answers ask(const Segment &root)
{
    Answers a;
    const QList<Segment> words = root.segmentsOfType(ResultNode::Word);
    for (const Segment &w : words)
        a.label += w.selectedCandidate().label();
    a.label += root.selectedCandidate().label();
    a.words = words.size();
    a.rect = root.ink().boundingRect();
    a.centroid = root.ink().centroid();
    a.firstStroke = root.ink().pieces().first().stroke().boundingRect();
    return a;
}

} // namespace

class Echo : public QObject
{
    Q_OBJECT

public slots:
    void take(const RecognitionResult &r)
    {
        ask(r.root());
        emit result(r);
    }

signals:
    void result(const RecognitionResult &r);
};

class TestCrossThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namesRegistered_data();
    void namesRegistered();
    void resultCrossesQueuedSignals();
    void lazyCachesReadFromManyThreads();

signals:
    void send(const RecognitionResult &r);
};

void TestCrossThread::initTestCase()
{
    registerModelMetaTypes();
    registerModelMetaTypes();
}

void TestCrossThread::namesRegistered_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("size");
    QTest::newRow("GestureSet") << QByteArray("GestureSet") << int(sizeof(int));
    QTest::newRow("Segment") << QByteArray("Segment") << int(sizeof(Segment));
    QTest::newRow("InkRange") << QByteArray("InkRange") << int(sizeof(InkRange));
    QTest::newRow("InkLocation") << QByteArray("InkLocation") << int(sizeof(InkLocation));
    QTest::newRow("RecognitionResult") << QByteArray("RecognitionResult")
                                       << int(sizeof(RecognitionResult));
}

void TestCrossThread::namesRegistered()
{
    QFETCH(QByteArray, name);
    QFETCH(int, size);
    const QMetaType type = QMetaType::fromName(name);
    QVERIFY(type.isValid());
    QCOMPARE(int(type.sizeOf()), size);
}

void TestCrossThread::resultCrossesQueuedSignals()
{
    const QList<Stroke> strokes = penStrokes(6);
    RecognitionResult sent = resultFromStrokes(strokes, "w", 2, 0);
    sent.setRoot(textOf(strokes, 3));
    sent.storeInkOfType(1, InkRange::fromStroke(strokes[2]));
    sent.setTransform(QTransform::fromTranslate(5, -2).scale(2, 2));
    sent.layout().lineSpacing = 40.5;
    sent.layout().linePositions = {10.0, 50.5};
    sent.layout().alignment = Qt::AlignLeft;
    sent.layout().flags = 2;

    QThread worker;
    Echo echo;
    echo.moveToThread(&worker);
    worker.start();
    // Connected by name, as the recognizers' users do.
    QVERIFY(connect(this, SIGNAL(send(RecognitionResult)), &echo,
                    SLOT(take(RecognitionResult)), Qt::QueuedConnection));
    // Received back in this thread through a queued connection.
    QList<RecognitionResult> received;
    connect(&echo, &Echo::result, this,
            [&received](const RecognitionResult &r) { received << r; });
    emit send(sent);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 5000);
    worker.quit();
    worker.wait();

    const RecognitionResult back = received.first();
    QCOMPARE(back, sent);
    QCOMPARE(back.root().ink().strokes(), strokes);
    for (int i = 0; i < strokes.size(); ++i)
        QCOMPARE(back.root().ink().strokes()[i].stamp(), strokes[i].stamp());
    QCOMPARE(back.inkTypes(), sent.inkTypes());
    QCOMPARE(back.layout(), sent.layout());
    QCOMPARE(back.root().selectedCandidate().label(), QString("abcabc"));

    // Built again from the same strokes: equal by value, sharing nothing.
    RecognitionResult again;
    again.setRoot(textOf(strokes, 3));
    again.storeInkOfType(1, InkRange::fromStroke(strokes[2]));
    again.setTransform(sent.transform());
    again.layout() = sent.layout();
    QCOMPARE(back, again);
}

void TestCrossThread::lazyCachesReadFromManyThreads()
{
    constexpr int threadCount = 8;
    const QList<Stroke> strokes = penStrokes(96);
    const Answers expected = ask(textOf(strokes, 4));

    for (int round = 0; round < 20; ++round) {
        // A fresh tree: nothing computed yet, every reader races to fill in.
        const Segment shared = textOf(strokes, 4);
        std::atomic<int> waiting{threadCount};
        QList<Answers> answers(threadCount);
        QList<QThread *> readers;
        for (int t = 0; t < threadCount; ++t) {
            readers << QThread::create([&, t] {
                --waiting;
                while (waiting.load() > 0)
                    QThread::yieldCurrentThread();
                answers[t] = ask(shared);
            });
            readers.last()->start();
        }
        for (QThread *reader : readers) {
            reader->wait();
            delete reader;
        }
        for (const Answers &a : answers)
            QVERIFY(a == expected);
    }
}

QTEST_GUILESS_MAIN(TestCrossThread)
#include "tst_crossthread.moc"
