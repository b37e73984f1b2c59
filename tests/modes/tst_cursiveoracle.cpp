#include "gesturescene.h"
#include "modes/cursiveoracle.h"
#include "pad/oraclegeometry.h"
#include "recognition/enginebinding.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace gesturescene;

namespace {

InkRangeInfo piece(const QRectF &r, int ageMs)
{
    return oraclefixtures::piece(r, "a", ageMs);
}

} // namespace

class TestCursiveOracle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void demonstrationGestures_data();
    void demonstrationGestures();
    void scratchScoreOfDemonstrationInks_data();
    void scratchScoreOfDemonstrationInks();
    void strikeScores_data();
    void strikeScores();
    void insertNeedsOlderNeighbours_data();
    void insertNeedsOlderNeighbours();
    void answersInOrder();
    void destroyedDuringARun();
    void withoutGestureRecognizerEverythingIsWriting();

private:
    QList<Segment> m_words;
};

void TestCursiveOracle::initTestCase()
{
    QVERIFY(startEngine());
    m_words = recognisedWords();
    QCOMPARE(m_words.size(), 2);
}

void TestCursiveOracle::cleanupTestCase()
{
    stopEngine();
}

void TestCursiveOracle::demonstrationGestures_data()
{
    addDemonstrationColumns("overLine");

    const QRectF hello = markBox(m_words.at(0));
    const QRectF world = markBox(m_words.at(1));
    const QVariant worldInk = QVariant::fromValue(m_words.at(1).ink());
    const QVariant worldStart = QVariant::fromValue(m_words.at(1).ink().firstLocation());
    for (int v = 0; v < 3; ++v) {
        QTest::addRow("strike-through %d", v)
            << demonstration(QString("deleteAnimationInk%1").arg(v), eraseMark(world)) << true
            << 1 << "erase" << worldInk;
        QTest::addRow("scratch %d", v)
            << demonstration(QString("eraseAnimationInk%1").arg(v), eraseMark(world)) << true << 1
            << "erase" << worldInk;
        QTest::addRow("insert %d", v)
            << demonstration(QString("insertAnimationInk%1").arg(v), insertMark(hello, world))
            << true << 1 << "insert" << worldStart;
        QTest::addRow("join %d", v)
            << demonstration(QString("jointAnimationInk%1").arg(v), joinMark(hello, world))
            << true << 1 << "insert upward" << worldStart;
    }
    for (const QRectF &pad : padRects()) {
        QTest::newRow(sizedRow("space", pad)) << demonstration("spaceAnimationInk", pad) << false
                                              << 2 << "gesture" << QVariant(space);
        QTest::newRow(sizedRow("backspace", pad))
            << demonstration("backspaceAnimationInk", pad) << false << 2 << "gesture"
            << QVariant(backspace);
        QTest::newRow(sizedRow("return", pad)) << demonstration("returnAnimationInk", pad)
                                               << false << 2 << "gesture" << QVariant(newline);
    }
    QTest::newRow("return beside the line") << demonstration("returnAnimationInk", padRect())
                                            << true << 1 << "gesture" << QVariant(newline);
    QTest::newRow("letter after the line") << letterO(world.topRight() + QPointF(30, 20))
                                           << true << 1 << "append" << QVariant(1);
}

void TestCursiveOracle::demonstrationGestures()
{
    QFETCH(bool, overLine);
    CursiveOracle oracle(WritingDirection::LeftToRight);
    checkDemonstration(&oracle, infosOf(m_words), overLine);
}

void TestCursiveOracle::scratchScoreOfDemonstrationInks_data()
{
    QTest::addColumn<QString>("file");
    for (int v = 0; v < 3; ++v)
        QTest::addRow("scratch %d", v) << QString("eraseAnimationInk%1").arg(v);
}

// The scratch demonstrations erase by their strike score alone: the scratch
// score needs a box overlap above 0.65 and a point density above 1.25.
void TestCursiveOracle::scratchScoreOfDemonstrationInks()
{
    QFETCH(QString, file);
    const Segment &world = m_words.at(1);
    const Stroke scratch = demonstration(file, eraseMark(markBox(world)));
    GestureCandidate c{InkRangeInfo(world)};
    c.measure(GestureCandidate(InkRangeInfo(InkRange::fromStroke(scratch), "#")), false);
    const float score =
        linearRamp(c.densityRatio, 1.35f, 0.1f) * linearRamp(c.boxOverlap, 0.7f, 0.05f);
    QEXPECT_FAIL("",
                 qPrintable(QString("boxOverlap %1, densityRatio %2 (%3 points over %4)")
                                .arg(c.boxOverlap, 0, 'f', 2)
                                .arg(c.densityRatio, 0, 'f', 2)
                                .arg(InkRange::fromStroke(scratch).pointCount())
                                .arg(world.ink().pointCount())),
                 Abort);
    QVERIFY(score >= 0.2f);
}

void TestCursiveOracle::strikeScores_data()
{
    QTest::addColumn<double>("cover"); // the part of the piece's width the stroke covers
    QTest::addColumn<int>("age");
    QTest::addColumn<QString>("kind");
    // strike score = ramp(bandCover, 0.8, 0.1); 0.2 and more erases.
    QTest::newRow("0.7 scores 0") << 0.7 << 5000 << "append";
    QTest::newRow("0.73 scores 0.15") << 0.73 << 5000 << "append";
    QTest::newRow("0.8 scores 0.5") << 0.8 << 5000 << "erase";
    QTest::newRow("0.95 scores 1") << 0.95 << 5000 << "erase";
    QTest::newRow("just written: no strike") << 0.95 << 200 << "append";
}

void TestCursiveOracle::strikeScores()
{
    QFETCH(double, cover);
    QFETCH(int, age);
    QFETCH(QString, kind);
    const InkRangeInfo word = piece(QRectF(100, 50, 200, 60), age);
    CursiveOracle oracle(WritingDirection::LeftToRight);
    AnswerLog log(&oracle);
    const Stroke strike = line({100, 80}, {100 + 200 * cover, 80});
    oracle.request({strike}, {word}, 1);
    QVERIFY(log.wait());
    QCOMPARE(log.kinds.first(), kind);
    if (kind == "erase")
        QCOMPARE(log.values.first().value<InkRange>(), word.ink());
}

void TestCursiveOracle::insertNeedsOlderNeighbours_data()
{
    QTest::addColumn<int>("leftAge");
    QTest::addColumn<int>("rightAge");
    QTest::addColumn<QString>("kind");
    QTest::newRow("both older") << 5000 << 4000 << "insert";
    QTest::newRow("right one just written") << 5000 << 300 << "append";
    QTest::newRow("left one just written") << 300 << 5000 << "append";
}

void TestCursiveOracle::insertNeedsOlderNeighbours()
{
    QFETCH(int, leftAge);
    QFETCH(int, rightAge);
    QFETCH(QString, kind);
    const InkRangeInfo left = piece(QRectF(100, 50, 150, 60), leftAge);
    const InkRangeInfo right = piece(QRectF(300, 50, 150, 60), rightAge);
    CursiveOracle oracle(WritingDirection::LeftToRight);
    AnswerLog log(&oracle);
    oracle.request({line({275, 40}, {275, 120})}, {left, right}, 1);
    QVERIFY(log.wait());
    QCOMPARE(log.kinds.first(), kind);
    if (kind == "insert")
        QCOMPARE(log.values.first().value<InkLocation>(), right.ink().firstLocation());
}

// A request asked while the gesture of another is read is answered after it.
void TestCursiveOracle::answersInOrder()
{
    const QRectF world = markBox(m_words.at(1));
    CursiveOracle oracle(WritingDirection::LeftToRight);
    AnswerLog log(&oracle);
    oracle.request({demonstration("deleteAnimationInk0", eraseMark(world))}, infosOf(m_words),
                   1);
    oracle.request({letterO({20, 120}), letterO({80, 120}), letterO({140, 120})}, {}, 1);
    oracle.request({letterO(world.topRight() + QPointF(30, 20))}, infosOf(m_words), 1);
    QVERIFY2(log.kinds.isEmpty(), "answers arrive later, never within a request");
    QVERIFY(log.wait(3));
    QTest::qWait(20);
    QCOMPARE(log.kinds, QStringList({"erase", "append", "append"}));
    QCOMPARE(log.values.at(1), QVariant(3));
    QCOMPARE(log.values.at(2), QVariant(1));
}

void TestCursiveOracle::destroyedDuringARun()
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 5; ++i) {
        auto *oracle = new CursiveOracle(WritingDirection::LeftToRight);
        oracle->request({demonstration("eraseAnimationInk0", eraseMark(QRectF(0, 0, 300, 60)))},
                        infosOf(m_words), 1);
        QTest::qWait(i);
        delete oracle;
    }
    QTest::qWait(50);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

// A pad whose gesture package cannot be read still takes every stroke as
// writing, each request answered once and in order.
void TestCursiveOracle::withoutGestureRecognizerEverythingIsWriting()
{
    stopEngine();
    {
        CursiveOracle oracle(WritingDirection::LeftToRight);
        AnswerLog log(&oracle);
        const QRectF world = markBox(m_words.at(1));
        oracle.request({demonstration("deleteAnimationInk0", eraseMark(world))},
                       infosOf(m_words), 1);
        oracle.request({letterO({20, 120}), letterO({60, 120})}, {}, 1);
        QVERIFY(log.kinds.isEmpty());
        QVERIFY(log.wait(2));
        oracle.request({demonstration("returnAnimationInk", padRect())}, {}, 2);
        QVERIFY(log.wait(3));
        QTest::qWait(20);
        QCOMPARE(log.kinds, QStringList({"append", "append", "append"}));
        QCOMPARE(log.values, QVariantList({1, 2, 1}));
        // Answers still queued die with the oracle.
        oracle.request({letterO({20, 120})}, {}, 1);
    }
    QTest::qWait(20);
    QVERIFY(startEngine());
}

QTEST_MAIN(TestCursiveOracle)
#include "tst_cursiveoracle.moc"
