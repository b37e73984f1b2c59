#include "recofixtures.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QSignalSpy>
#include <QtTest>

using namespace fixtures;

namespace {

// Opens the conversion steps of the handler to the tests.
class Probe : public ThreadedRecoEventHandler
{
public:
    explicit Probe(const RecognizerEngine &parameters)
        : ThreadedRecoEventHandler(engineBinding().engine, parameters)
    {
    }
    using ThreadedRecoEventHandler::buildRecognitionResult;
    using ThreadedRecoEventHandler::convertSegment;

    // Runs the engine on the current input without emitting.
    void run()
    {
        QSignalSpy spy(this, &ThreadedRecoEventHandler::result);
        recognize();
    }
};

RecognizerEngine withFlags(quint32 flags, qint32 lastLevel = 2)
{
    RecognizerEngine p;
    p.flags = flags;
    p.parameter1 = lastLevel;
    return p;
}

using Piece = QPair<int, QPair<int, int>>; // stroke index, first point, last point

QList<Piece> piecesOf(const Segment &s, const QList<Stroke> &strokes)
{
    QList<Piece> pieces;
    for (const StrokeRange &r : s.ink().pieces()) {
        for (const Interval &i : r.intervals())
            pieces.append({int(strokes.indexOf(r.stroke())), {i.first, i.last}});
    }
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

} // namespace

class TestResultConversion : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void limitsKeepTheFirstChoice();
    void inkRecordsMapToStrokes_data();
    void inkRecordsMapToStrokes();
    void cjkWordFlag_data();
    void cjkWordFlag();
    void layout_data();
    void layout();
    void noCandidatesGivesAnEmptyResult();

private:
    RecordingSession *session = nullptr;
};

void TestResultConversion::init()
{
    session = new RecordingSession;
    QVERIFY(session->started);
}

void TestResultConversion::cleanup()
{
    delete session;
    QCOMPARE(RecordingEngine::liveObjects(), 0);
}

void TestResultConversion::limitsKeepTheFirstChoice()
{
    QList<ScriptedCandidate> characters;
    for (int i = 0; i < 7; ++i)
        characters.append(leaf(QString(QChar('a' + i)), 1.0f - i * 0.1f));
    QList<ScriptedCandidate> words;
    for (int i = 0; i < 7; ++i)
        words.append(branch({segment({record(0, 0, 0, 0, 0, 9)}, characters, 0)}));
    RecordingEngine::setResult({branch({segment({record(0, 0, 0, 0, 0, 9)}, words, 6)}),
                                branch({})});
    Probe probe(withFlags(RecognizerConfig::LeftToRight));
    probe.updateRecognitionResultEvent(model({word({character({pen(0, 0)}, "#")})}));
    probe.run();

    const Segment root = probe.convertSegment(0, 0, 2);
    QCOMPARE(root.candidates().size(), 1);
    const Segment w = root.selectedCandidate().children().value(0);
    QCOMPARE(w.candidates().size(), 7);
    QCOMPARE(w.selectedIndex(), 6);
    const Segment c = w.selectedCandidate().children().value(0);
    QCOMPARE(c.candidates().size(), 5);
    QCOMPARE(c.selectedCandidate().label(), QStringLiteral("a"));
    QCOMPARE(c.candidates().at(4).score(), 0.6f);
}

void TestResultConversion::inkRecordsMapToStrokes_data()
{
    QTest::addColumn<bool>("boxes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QList<zkInkRecord>>("records");
    QTest::addColumn<QList<Piece>>("expected");

    const zkInkRecord all = record(0, 0, 2, 0, 2, 4);
    QTest::newRow("pen, points cut at the ends")
        << false << "ab" << QList<zkInkRecord>{all}
        << QList<Piece>{{0, {2, 9}}, {1, {0, 9}}, {2, {0, 4}}};
    QTest::newRow("pen, one stroke")
        << false << "a" << QList<zkInkRecord>{record(0, 1, 3, 0, 1, 6)}
        << QList<Piece>{{1, {3, 6}}};
    QTest::newRow("pen, points beyond the stroke")
        << false << "a" << QList<zkInkRecord>{record(0, 2, 0, 0, 2, 300)}
        << QList<Piece>{{2, {0, 9}}};
    QTest::newRow("pen, outside the input skipped")
        << false << "a" << QList<zkInkRecord>{record(0, 3, 0, 0, 7, 3), record(4, 0, 0, 6, 0, 1),
                                              record(-2, -1, 0, 0, 0, 1)}
        << QList<Piece>{{0, {0, 1}}};
    QTest::newRow("pen, space") << false << " " << QList<zkInkRecord>{all} << QList<Piece>{};
    QTest::newRow("pen, new line") << false << "\n" << QList<zkInkRecord>{all} << QList<Piece>{};
    QTest::newRow("pen, no-break space")
        << false << QString(QChar(0xA0)) << QList<zkInkRecord>{all} << QList<Piece>{};
    QTest::newRow("pen, empty label") << false << "" << QList<zkInkRecord>{all} << QList<Piece>{};
    QTest::newRow("boxes")
        << true << "abc" << QList<zkInkRecord>{all}
        << QList<Piece>{{0, {0, 1}}, {1, {0, 1}}, {2, {0, 1}}};
    QTest::newRow("boxes, space keeps the inner box")
        << true << " " << QList<zkInkRecord>{all} << QList<Piece>{{1, {0, 1}}};
}

void TestResultConversion::inkRecordsMapToStrokes()
{
    QFETCH(bool, boxes);
    QFETCH(QString, label);
    QFETCH(QList<zkInkRecord>, records);
    QFETCH(QList<Piece>, expected);

    QList<Stroke> strokes;
    QList<Segment> characters;
    for (int i = 0; i < 3; ++i) {
        strokes.append(boxes ? box(i * 20, 0) : pen(i * 20, 0));
        characters.append(character({strokes.last()}, QString(QChar('a' + i))));
    }
    RecordingEngine::setResult({branch({segment(records, {leaf(label)})})});
    Probe probe(withFlags(RecognizerConfig::LeftToRight, 1));
    probe.updateRecognitionResultEvent(model({word(characters)}));
    probe.run();

    const Segment root = probe.convertSegment(0, 0, 1);
    QCOMPARE(root.ink().pieces().size(), 3);
    const Segment w = root.selectedCandidate().children().value(0);
    QCOMPARE(w.selectedCandidate().label(), label);
    QCOMPARE(piecesOf(w, strokes), expected);
}

void TestResultConversion::cjkWordFlag_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("wordFlag");
    const quint32 cjk = RecognizerConfig::CjkWords;
    QTest::newRow("ideograph") << cjk << QStringLiteral("漢") << 1;
    QTest::newRow("kana") << cjk << QStringLiteral("か") << 1;
    QTest::newRow("CJK punctuation") << cjk << QStringLiteral("。") << 0;
    QTest::newRow("latin") << cjk << QStringLiteral("a") << 0;
    QTest::newRow("ideograph, flag off") << 0u << QStringLiteral("漢") << 0;
}

void TestResultConversion::cjkWordFlag()
{
    QFETCH(quint32, flags);
    QFETCH(QString, label);
    QFETCH(int, wordFlag);
    RecordingEngine::setResult(
        {branch({segment({record(0, 0, 0, 0, 0, 9)},
                         {branch({segment({record(0, 0, 0, 0, 0, 9)}, {leaf(label)})})})})});
    Probe probe(withFlags(flags));
    probe.updateRecognitionResultEvent(model({word({character({pen(0, 0)}, "#")})}));
    probe.run();
    const Segment w = probe.convertSegment(0, 0, 2).selectedCandidate().children().value(0);
    const ResultNode c = w.selectedCandidate().children().value(0).selectedCandidate();
    QCOMPARE(c.label(), label);
    QCOMPARE(c.wordFlag(), wordFlag);
}

void TestResultConversion::layout_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<bool>("metrics");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("baseline");
    QTest::addColumn<double>("spacing");
    // The line's ink spans x 10 .. 19 and y 30 .. 34.
    const quint32 ltr = RecognizerConfig::LeftToRight;
    const quint32 rtl = RecognizerConfig::RightToLeft;
    QTest::newRow("left to right") << ltr << true << int(Qt::AlignLeft) << 19 * 0.5 + 3 << 12.0;
    QTest::newRow("right to left") << rtl << true << int(Qt::AlignRight) << 10 * 0.5 + 3 << 12.0;
    QTest::newRow("both, right wins") << (ltr | rtl) << true << int(Qt::AlignRight)
                                      << 19 * 0.5 + 3 << 12.0;
    QTest::newRow("neither") << 0u << true << int(Qt::AlignCenter) << 10 * 0.5 + 3 << 12.0;
    QTest::newRow("no metrics") << ltr << false << int(Qt::AlignLeft) << 34.0 << 4.0;
}

void TestResultConversion::layout()
{
    QFETCH(quint32, flags);
    QFETCH(bool, metrics);
    QFETCH(int, alignment);
    QFETCH(double, baseline);
    QFETCH(double, spacing);
    if (metrics)
        RecordingEngine::setLineMetrics({zkLineMetrics{0.5f, 3.0f, 12.0f}});
    const zkInkRecord ink = record(0, 0, 0, 0, 0, 9);
    RecordingEngine::setResult(
        {branch({segment({ink}, {branch({segment({ink}, {leaf("hi")})})})})});
    Probe probe(withFlags(flags));
    probe.updateRecognitionResultEvent(model({word({character({pen(10, 30)}, "#")})}));
    probe.run();

    const RecognitionResult r = probe.buildRecognitionResult();
    QCOMPARE(r.root().selectedCandidate().label(), QStringLiteral("hi"));
    QCOMPARE(r.layout().alignment, alignment);
    QCOMPARE(r.layout().linePositions, QList<double>{baseline});
    QCOMPARE(r.layout().lineSpacing, spacing);
}

void TestResultConversion::noCandidatesGivesAnEmptyResult()
{
    RecordingEngine::setResult({});
    ThreadedRecoEventHandler handler(engineBinding().engine, RecognizerEngine());
    QSignalSpy spy(&handler, &ThreadedRecoEventHandler::result);
    handler.updateRecognitionResultEvent(model({word({character({pen(0, 0)}, "#")})}));
    handler.recognize();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<RecognitionResult>(), RecognitionResult());
}

QTEST_GUILESS_MAIN(TestResultConversion)
#include "tst_resultconversion.moc"
