#include "calculator/calcterminals.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(TerminalClass)
Q_DECLARE_METATYPE(TerminalKind)

// The parser's view of the symbols the engine reads: labels, placement and costs.
class TestCalcTerminals : public QObject
{
    Q_OBJECT
private slots:
    void labels_data();
    void labels();
    void geometry_data();
    void geometry();
    void costs_data();
    void costs();
    void rejections_data();
    void rejections();
};

void TestCalcTerminals::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("mapped");
    QTest::newRow("pi") << QString(QChar(0x03C0)) << "." << "\\pi";
    QTest::newRow("times back") << "\\mult" << "." << QString(QChar(0x00D7));
    QTest::newRow("divide") << QString(QChar(0x00F7)) << "." << "\\div";
    QTest::newRow("root back") << "\\sqrt" << "." << QString(QChar(0x221A));
    QTest::newRow("point to comma") << "." << "," << ",";
    QTest::newRow("comma to point") << "," << "." << ".";
    QTest::newRow("point kept") << "." << "." << ".";
    QTest::newRow("digit") << "7" << "," << "7";
}

void TestCalcTerminals::labels()
{
    QFETCH(QString, label);
    QFETCH(QString, separator);
    QTEST(mapEngineLabel(label, separator), "mapped");
}

void TestCalcTerminals::geometry_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("h");
    QTest::addColumn<TerminalClass>("geometryClass");
    QTest::addColumn<TerminalKind>("kind");
    QTest::addColumn<QString>("parserLabel");
    // The box is (10, 100, 30, 60).
    QTest::newRow("digit") << "4" << 160.0 << 30.0 << TerminalClass::Plain
                           << TerminalKind::Alphanumeric << "4";
    QTest::newRow("pi is a letter") << QString(QChar(0x03C0)) << 160.0 << 30.0
                                    << TerminalClass::Plain << TerminalKind::Alphanumeric
                                    << "\\pi";
    QTest::newRow("unknown") << "?" << 160.0 << 30.0 << TerminalClass::Plain
                             << TerminalKind::Alphanumeric << "?";
    QTest::newRow("plus") << "+" << 160.0 << 40.0 << TerminalClass::Plain
                          << TerminalKind::Operator << "+";
    QTest::newRow("times") << QString(QChar(0x00D7)) << 160.0 << 40.0 << TerminalClass::Plain
                           << TerminalKind::Operator << "\\mult";
    QTest::newRow("equals") << "=" << 100.0 << 60.0 << TerminalClass::Shrinkable
                            << TerminalKind::Other << "=";
    QTest::newRow("minus") << "-" << 130.0 << 24.0 << TerminalClass::ThinCentred
                           << TerminalKind::Other << "-";
    QTest::newRow("point") << "." << 130.0 << 240.0 << TerminalClass::ThinBaseline
                           << TerminalKind::Other << ",";
    QTest::newRow("bracket") << "(" << 130.0 << 20.0 << TerminalClass::Stretchable
                             << TerminalKind::Other << "(";
    QTest::newRow("root") << QString(QChar(0x221A)) << 150.0 << 20.0 << TerminalClass::Plain
                          << TerminalKind::Other << "\\sqrt";
    QTest::newRow("slash") << "/" << 160.0 << 30.0 << TerminalClass::Plain
                           << TerminalKind::Other << "/";
}

void TestCalcTerminals::geometry()
{
    QFETCH(QString, label);
    const TerminalGeometry g = terminalGeometry(label, QRectF(10, 100, 30, 60), ",");
    QTEST(g.y, "y");
    QTEST(g.h, "h");
    QTEST(g.geometryClass, "geometryClass");
    QTEST(g.kind, "kind");
    QTEST(label, "parserLabel");
}

void TestCalcTerminals::costs_data()
{
    QTest::addColumn<double>("score");
    QTest::addColumn<int>("strokes");
    QTest::addColumn<double>("cost");
    QTest::newRow("score 0 costs 300 a stroke") << 0.0 << 2 << 600.0;
    QTest::newRow("certain costs nothing") << 1.0 << 3 << 0.0;
    QTest::newRow("half") << 0.25 << 1 << -std::log(0.5) * 0.3;
    // The engine's confidence above 1 would give a negative cost, which the parser's
    // lower bounds cannot take.
    QTest::newRow("above one is capped") << 4.0 << 1 << 0.0;
    QTest::newRow("not a number") << std::nan("") << 1 << 300.0;
}

void TestCalcTerminals::costs()
{
    QFETCH(double, score);
    QFETCH(int, strokes);
    QFETCH(double, cost);
    QVERIFY(qAbs(terminalCost(score, 1.0, strokes) - cost) < 1e-9);
}

void TestCalcTerminals::rejections_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::addColumn<double>("smallest");
    QTest::addColumn<bool>("rejected");
    QTest::addColumn<double>("extra");
    const QString divide(QChar(0x00F7));
    const QString root(QChar(0x221A));
    QTest::newRow("divide of large strokes") << divide << QList<QRectF>{{0, 0, 120, 10}}
                                             << 101.0 << true << 0.0;
    QTest::newRow("divide of small strokes costs more")
        << divide << QList<QRectF>{{0, 0, 50, 5}} << 50.0 << false << 0.25;
    QTest::newRow("root with its overbar")
        << root << QList<QRectF>{{0, 0, 40, 60}, {30, 0, 80, 5}} << 60.0 << false << 0.0;
    QTest::newRow("root whose second stroke stays inside")
        << root << QList<QRectF>{{0, 0, 100, 60}, {20, 10, 30, 30}} << 30.0 << true << 0.0;
    // The region's last stroke, small and low beside the rest, is a mark of its own.
    QTest::newRow("digit with a point after it")
        << "7" << QList<QRectF>{{0, 0, 60, 100}, {70, 90, 8, 8}} << 8.0 << true << 0.0;
    QTest::newRow("digit of two strokes")
        << "7" << QList<QRectF>{{0, 0, 60, 100}, {10, 40, 40, 10}} << 40.0 << false << 0.0;
    QTest::newRow("four of two strokes keeps its low stroke")
        << "4" << QList<QRectF>{{0, 0, 60, 70}, {40, 70, 8, 30}} << 30.0 << false << 0.0;
    QTest::newRow("one with a low second stroke")
        << "1" << QList<QRectF>{{0, 0, 10, 100}, {0, 80, 30, 15}} << 30.0 << true << 0.0;
}

void TestCalcTerminals::rejections()
{
    QFETCH(QString, label);
    QFETCH(QList<QRectF>, boxes);
    QFETCH(double, smallest);
    QFETCH(double, extra);
    TerminalRegion region;
    region.strokeBoxes = boxes;
    region.smallestExtent = smallest;
    double cost = 1.0;
    QTEST(rejectsTerminal(label, region, &cost), "rejected");
    QCOMPARE(cost, 1.0 + extra);
}

QTEST_MAIN(TestCalcTerminals)
#include "tst_calcterminals.moc"
