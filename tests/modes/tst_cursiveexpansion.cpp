#include "cursivefixtures.h"
#include "modes/cursiveexpansion.h"

#include <QTest>

#include <optional>

using namespace cursivefixtures;

using Fractions = std::optional<QPointF>;
Q_DECLARE_METATYPE(Fractions)

// How far the panel grows for the next words, and the spacing of typeset lines.
class TestCursiveExpansion : public QObject
{
    Q_OBJECT
private slots:
    void fractions_data();
    void fractions();
    void wordPlaces();
    void lineSpacing_data();
    void lineSpacing();
    void candidateList_data();
    void candidateList();
    void wordsBelowThePanel_data();
    void wordsBelowThePanel();
};

void TestCursiveExpansion::fractions_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("places");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QRectF>("written");
    QTest::addColumn<double>("screenEdge");
    QTest::addColumn<Fractions>("expected");
    const int left = Qt::AlignLeft, right = Qt::AlignRight;
    // h 200: the next word wants 3 x 200 + 250 = 850, the reserve 8 x 200 = 1600.
    QTest::newRow("next word fits: no growth")
        << -100.0 << 200.0 << 8 << left << QRectF() << 5000.0 << Fractions();
    QTest::newRow("growing: fx is the reserve over the visible width")
        << 100.0 << 200.0 << 8 << left << QRectF(0, 0, 100, 50) << 5000.0
        << Fractions(QPointF(2.0, 0.0));
    QTest::newRow("height below 200 counts as 200")
        << 100.0 << 100.0 << 8 << left << QRectF(0, 0, 100, 50) << 5000.0
        << Fractions(QPointF(2.0, 0.0));
    QTest::newRow("height above 600 counts as 600")
        << 100.0 << 900.0 << 8 << left << QRectF(0, 0, 100, 50) << 5000.0
        << Fractions(QPointF(6.0, 0.0));
    QTest::newRow("three places for Chinese and Korean")
        << 100.0 << 200.0 << 3 << left << QRectF(0, 0, 100, 50) << 5000.0
        << Fractions(QPointF(0.75, 0.0));
    // The reserve reaches past the screen: the text below must fit too.
    // Line height 100: bottom 350 + 150 = 500, 100 past the visible bottom of 400.
    QTest::newRow("screen edge reached: grows down by the text's overflow")
        << 100.0 << 200.0 << 8 << left << QRectF(0, 0, 100, 350) << 1000.0
        << Fractions(QPointF(2.0, 0.25));
    QTest::newRow("screen edge reached, text well inside")
        << 100.0 << 200.0 << 8 << left << QRectF(0, 0, 100, 100) << 1000.0
        << Fractions(QPointF(2.0, 0.0));
    QTest::newRow("right to left: next word fits")
        << 900.0 << 200.0 << 8 << right << QRectF() << -5000.0 << Fractions();
    QTest::newRow("right to left: grows, screen edge reached")
        << 700.0 << 200.0 << 8 << right << QRectF(600, 0, 100, 350) << 0.0
        << Fractions(QPointF(2.0, 0.25));
}

void TestCursiveExpansion::fractions()
{
    ExpansionRequest r;
    QFETCH(double, position);
    QFETCH(double, height);
    QFETCH(int, places);
    QFETCH(int, alignment);
    QFETCH(QRectF, written);
    QFETCH(double, screenEdge);
    r.position = position;
    r.referenceHeight = height;
    r.lineHeight = 100;
    r.places = places;
    r.alignment = alignment;
    r.visible = QRectF(0, 0, 800, 400);
    r.written = written;
    r.screenEdgeX = screenEdge;
    QTEST(expansionFractions(r), "expected");
}

void TestCursiveExpansion::wordPlaces()
{
    QCOMPARE(expansionWordPlaces(QLocale::Chinese), 3);
    QCOMPARE(expansionWordPlaces(QLocale::Korean), 3);
    QCOMPARE(expansionWordPlaces(QLocale::Japanese), 8);
    QCOMPARE(expansionWordPlaces(QLocale::English), 8);
}

void TestCursiveExpansion::lineSpacing_data()
{
    QTest::addColumn<QList<double>>("lines");
    QTest::addColumn<QList<double>>("spaced");
    // Reference height 50: lines at least 110 apart.
    QTest::newRow("far apart lines stay") << QList<double>{100, 250, 400} << QList<double>{100, 250, 400};
    QTest::newRow("close lines pushed, the push carries on")
        << QList<double>{100, 150, 270, 300} << QList<double>{100, 210, 320, 430};
    QTest::newRow("exactly the pitch stays") << QList<double>{100, 210} << QList<double>{100, 210};
    QTest::newRow("one line") << QList<double>{100} << QList<double>{100};
}

void TestCursiveExpansion::lineSpacing()
{
    QFETCH(QList<double>, lines);
    RecognitionResult model = result({word(QStringLiteral("ab"), QRectF(0, 0, 100, 50))}, 50);
    model.layout().linePositions = lines;
    const RecognitionResult spaced = spaceLayoutLines(model);
    QTEST(spaced.layout().linePositions, "spaced");
    QCOMPARE(spaced.root(), model.root());
    QCOMPARE(model.layout().linePositions, lines);
}

void TestCursiveExpansion::candidateList_data()
{
    QTest::addColumn<QRectF>("list");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<Fractions>("expected");
    const int left = Qt::AlignLeft, right = Qt::AlignRight;
    // Visible 1000 by 500; lists are widened by 250 on both sides.
    QTest::newRow("inside after widening") << QRectF(300, 100, 200, 100) << left << Fractions();
    QTest::newRow("below: grows downwards only")
        << QRectF(300, 400, 200, 200) << left << Fractions(QPointF(0, 0.2));
    QTest::newRow("past the right edge") << QRectF(900, 100, 200, 100) << left
                                         << Fractions(QPointF(0.35, 0));
    QTest::newRow("right to left, past the left edge")
        << QRectF(-100, 100, 200, 100) << right << Fractions(QPointF(0.35, 0));
    QTest::newRow("the part above 0 does not count")
        << QRectF(300, -100, 200, 150) << left << Fractions();
    QTest::newRow("left to right, only past the left edge: nothing to grow")
        << QRectF(100, 100, 100, 100) << left << Fractions();
}

void TestCursiveExpansion::candidateList()
{
    QFETCH(QRectF, list);
    QFETCH(int, alignment);
    QTEST(candidateListGrowth(list, QRectF(0, 0, 1000, 500), alignment), "expected");
}

void TestCursiveExpansion::wordsBelowThePanel_data()
{
    QTest::addColumn<QList<QRectF>>("words");
    QTest::addColumn<double>("fraction");
    // Panel at (100, 100), 800 by 454: the writing area runs from 140 to 540.
    QTest::newRow("no words") << QList<QRectF>() << 0.0;
    QTest::newRow("words inside") << QList<QRectF>{{200, 300, 100, 200}} << 0.0;
    QTest::newRow("the lowest word counts")
        << QList<QRectF>{{200, 400, 100, 200}, {400, 440, 100, 200}, {600, 200, 100, 100}} << 0.25;
}

void TestCursiveExpansion::wordsBelowThePanel()
{
    QFETCH(QList<QRectF>, words);
    QTEST(wordsOverflowFraction(words, QRect(100, 100, 800, 454)), "fraction");
}

QTEST_MAIN(TestCursiveExpansion)
#include "tst_cursiveexpansion.moc"
