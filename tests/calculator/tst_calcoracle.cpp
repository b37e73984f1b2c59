#include "calculator/calcoracle.h"
#include "modes/cursiveoracle.h"
#include "recognition/enginebinding.h"
#include "tests/modes/gesturescene.h"

#include <QtTest>

using namespace gesturescene;

namespace {

InkRangeInfo piece(const QRectF &r)
{
    return oraclefixtures::piece(r, "a");
}

} // namespace

class TestCalcOracle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void demonstrationGestures_data();
    void demonstrationGestures();
    void againstCursive_data();
    void againstCursive();

private:
    QList<Segment> m_words;
};

void TestCalcOracle::initTestCase()
{
    QVERIFY(startEngine());
    m_words = recognisedWords();
    QCOMPARE(m_words.size(), 2);
}

void TestCalcOracle::cleanupTestCase()
{
    stopEngine();
}

void TestCalcOracle::demonstrationGestures_data()
{
    addDemonstrationColumns("overLine");

    const QRectF hello = markBox(m_words.at(0));
    const QRectF world = markBox(m_words.at(1));
    const QVariant worldInk = QVariant::fromValue(m_words.at(1).ink());
    for (int v = 0; v < 3; ++v) {
        QTest::addRow("strike-through %d", v)
            << demonstration(QString("deleteAnimationInk%1").arg(v), eraseMark(world)) << true
            << 1 << "erase" << worldInk;
        QTest::addRow("scratch %d", v)
            << demonstration(QString("eraseAnimationInk%1").arg(v), eraseMark(world)) << true << 1
            << "erase" << worldInk;
        // Insertion is no calculator gesture: the marks are writing.
        QTest::addRow("insert %d", v)
            << demonstration(QString("insertAnimationInk%1").arg(v), insertMark(hello, world))
            << true << 1 << "append" << QVariant(1);
        QTest::addRow("join %d", v)
            << demonstration(QString("jointAnimationInk%1").arg(v), joinMark(hello, world))
            << true << 1 << "append" << QVariant(1);
    }
    for (const QRectF &pad : padRects()) {
        QTest::newRow(sizedRow("space", pad)) << demonstration("spaceAnimationInk", pad) << false
                                              << 2 << "gesture" << QVariant(space);
        QTest::newRow(sizedRow("backspace", pad))
            << demonstration("backspaceAnimationInk", pad) << false << 2 << "gesture"
            << QVariant(backspace);
        QTest::newRow(sizedRow("return", pad)) << demonstration("returnAnimationInk", pad)
                                               << true << 1 << "gesture" << QVariant(newline);
    }
    QTest::newRow("letter after the line")
        << letterO(world.topRight() + QPointF(30, 20)) << true << 1 << "append" << QVariant(1);
}

void TestCalcOracle::demonstrationGestures()
{
    QFETCH(bool, overLine);
    CalcOracle oracle(WritingDirection::LeftToRight);
    checkDemonstration(&oracle, infosOf(m_words), overLine);
}

void TestCalcOracle::againstCursive_data()
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<QString>("cursive");
    QTest::addColumn<QString>("calculator");
    // Pieces: outlines of (100, 50, 200, 60) and (350, 50, 200, 60).
    QTest::newRow("strike crossing the outline") << line({90, 80}, {310, 80}) << "erase"
                                                 << "erase";
    QTest::newRow("strike inside, crossing nothing") << line({102, 80}, {298, 80}) << "erase"
                                                     << "append";
    QTest::newRow("vertical stroke in the gap") << line({325, 35}, {325, 125}) << "insert"
                                                << "append";
}

void TestCalcOracle::againstCursive()
{
    QFETCH(Stroke, stroke);
    QFETCH(QString, cursive);
    QFETCH(QString, calculator);
    const QList<InkRangeInfo> pieces{piece(QRectF(100, 50, 200, 60)),
                                     piece(QRectF(350, 50, 200, 60))};
    CursiveOracle cursiveOracle(WritingDirection::LeftToRight);
    CalcOracle calcOracle(WritingDirection::LeftToRight);
    AnswerLog cursiveLog(&cursiveOracle);
    AnswerLog calcLog(&calcOracle);
    cursiveOracle.request({stroke}, pieces, 1);
    calcOracle.request({stroke}, pieces, 1);
    QVERIFY(cursiveLog.wait() && calcLog.wait());
    QCOMPARE(cursiveLog.kinds.first(), cursive);
    QCOMPARE(calcLog.kinds.first(), calculator);
    QVERIFY(calcLog.delays.isEmpty());
}

QTEST_MAIN(TestCalcOracle)
#include "tst_calcoracle.moc"
