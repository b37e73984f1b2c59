#include "gesturescene.h"
#include "modes/isooracle.h"
#include "recognition/enginebinding.h"

#include <QtTest>

using namespace gesturescene;

namespace {

// A character in its box: a pen outline of r, or a box stroke standing for it.
InkRangeInfo character(const QRectF &r, bool typeset, int ageMs = 5000)
{
    if (!typeset)
        return oraclefixtures::piece(r, "a", ageMs);
    Stroke s = makeBoxStroke(r, 0.0);
    s.setStamp(StrokeStamp::fresh().addMSecs(-ageMs));
    return InkRangeInfo(InkRange::fromStroke(s), "a");
}

} // namespace

class TestIsoOracle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void demonstrationGestures_data();
    void demonstrationGestures();
    void columnRule_data();
    void columnRule();
    void noShortcuts();

private:
    QList<Segment> m_letters;
};

void TestIsoOracle::initTestCase()
{
    QVERIFY(startEngine());
    const QList<Segment> words = recognisedWords();
    QCOMPARE(words.size(), 2);
    m_letters = words.first().segmentsOfType(ResultNode::Character);
    QCOMPARE(m_letters.size(), 5);
}

void TestIsoOracle::cleanupTestCase()
{
    stopEngine();
}

void TestIsoOracle::demonstrationGestures_data()
{
    addDemonstrationColumns("overLetters");

    const QRectF h = markBox(m_letters.at(0));
    const QRectF e = markBox(m_letters.at(1));
    const QRectF o = m_letters.at(4).ink().boundingRect();
    const QVariant hInk = QVariant::fromValue(m_letters.at(0).ink());
    const QVariant eStart = QVariant::fromValue(m_letters.at(1).ink().firstLocation());
    for (int v = 0; v < 3; ++v) {
        QTest::addRow("strike-through %d", v)
            << demonstration(QString("deleteAnimationInk%1").arg(v), eraseMark(h)) << true << 1
            << "erase" << hInk;
        QTest::addRow("scratch %d", v)
            << demonstration(QString("eraseAnimationInk%1").arg(v), eraseMark(h)) << true << 1
            << "erase" << hInk;
        QTest::addRow("insert %d", v)
            << demonstration(QString("insertAnimationInk%1").arg(v), insertMark(h, e)) << true
            << 1 << "insert" << eStart;
        QTest::addRow("join %d", v)
            << demonstration(QString("jointAnimationInk%1").arg(v), joinMark(h, e)) << true
            << 1 << "insert upward" << eStart;
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
    QTest::newRow("letter in a box of its own")
        << letterO(o.topRight() + QPointF(120, 0)) << true << 1 << "append" << QVariant(1);
}

void TestIsoOracle::demonstrationGestures()
{
    QFETCH(bool, overLetters);
    IsoOracle oracle(WritingDirection::LeftToRight, false);
    checkDemonstration(&oracle, infosOf(m_letters), overLetters);
}

void TestIsoOracle::columnRule_data()
{
    QTest::addColumn<bool>("trackRecentInk");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<double>("dx"); // the new ink's centroid from the anchor's centroid
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("target");
    // Characters in 60 wide boxes at 100 (handwritten long ago), 200
    // (typeset) and 300 (handwritten a moment ago); a letter "o" over them
    // scores no gesture.
    QTest::newRow("over a typeset one") << false << 1 << 0.0 << "overwrite" << 1;
    QTest::newRow("over the last handwritten one") << false << 2 << 0.0 << "update" << 2;
    QTest::newRow("partly over the last handwritten one") << false << 2 << 45.0 << "update"
                                                          << 2;
    QTest::newRow("beside all") << false << 2 << 130.5 << "append" << -1;
    QTest::newRow("tracking: over the recent one") << true << 2 << 0.0 << "update" << 2;
    QTest::newRow("tracking: over an old handwritten one") << true << 0 << 0.0 << "overwrite"
                                                            << 0;
}

void TestIsoOracle::columnRule()
{
    QFETCH(bool, trackRecentInk);
    QFETCH(int, anchor);
    QFETCH(double, dx);
    QFETCH(QString, kind);
    QFETCH(int, target);
    const QList<InkRangeInfo> chars{character(QRectF(100, 50, 60, 60), !trackRecentInk),
                                    character(QRectF(200, 50, 60, 60), true),
                                    character(QRectF(300, 50, 60, 60), false, 300)};
    const QPointF offset = letterO({0, 0}).centroid();
    const Stroke o = letterO({chars.at(anchor).centroid().x() + dx - offset.x(), 60});
    IsoOracle oracle(WritingDirection::LeftToRight, trackRecentInk);
    AnswerLog log(&oracle);
    oracle.request({o}, chars, 1);
    QVERIFY(log.wait());
    QCOMPARE(log.kinds.first(), kind);
    if (target >= 0)
        QCOMPARE(log.values.first().value<InkRange>(), chars.at(target).ink());
}

// Without hold for more writing a stroke after all ink is still decided, and
// a strike-through over the character being written cannot erase it.
void TestIsoOracle::noShortcuts()
{
    const QList<InkRangeInfo> chars{character(QRectF(100, 50, 60, 60), true),
                                    character(QRectF(300, 50, 60, 60), false)};
    IsoOracle oracle(WritingDirection::LeftToRight, false);
    AnswerLog log(&oracle);
    oracle.request({line({90, 80}, {170, 80})}, chars, 1);
    oracle.request({line({290, 80}, {370, 80})}, chars, 1);
    QVERIFY(log.wait(2));
    QVERIFY(log.delays.isEmpty());
    QCOMPARE(log.kinds, QStringList({"erase", "update"}));
    QCOMPARE(log.values.at(0).value<InkRange>(), chars.at(0).ink());
    QCOMPARE(log.values.at(1).value<InkRange>(), chars.at(1).ink());
}

QTEST_MAIN(TestIsoOracle)
#include "tst_isooracle.moc"
