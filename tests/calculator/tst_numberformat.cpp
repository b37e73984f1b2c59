#include "calculator/numberformat.h"

#include <QTest>

using ExpTree::Value;

class TestNumberFormat : public QObject
{
    Q_OBJECT

private slots:
    void formatNumber_data();
    void formatNumber();
    void appends();
};

void TestNumberFormat::formatNumber_data()
{
    QTest::addColumn<double>("numerator");
    QTest::addColumn<double>("denominator");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    const QString cut(QChar(0x2026));
    QTest::newRow("exact, zeros removed") << 7.0 << 2.0 << 10 << 0 << "3.5";
    QTest::newRow("inexact") << 7.0 << 3.0 << 10 << 0 << "2.3333333333" + cut;
    QTest::newRow("cut, not rounded") << 2.0 << 3.0 << 2 << 0 << "0.66" + cut;
    QTest::newRow("negative cut toward zero") << -2.0 << 3.0 << 2 << 0 << "-0.66" + cut;
    QTest::newRow("sign below") << 2.0 << -3.0 << 2 << 0 << "-0.66" + cut;
    QTest::newRow("whole number keeps its zeros") << 100.0 << 1.0 << 3 << 0 << "100";
    QTest::newRow("no decimals, cut") << 27.0 << 10.0 << 0 << 0 << "2" + cut;
    QTest::newRow("1e10 and above") << 2.5e10 << 1.0 << 3 << 0 << "2.5E+10";
    QTest::newRow("scientific, inexact") << 1.05e10 << 1.0 << 1 << 0 << "1.0" + cut + "E+10";
    QTest::newRow("scientific, negative") << -1.05e10 << 1.0 << 1 << 0 << "-1.0" + cut + "E+10";
    QTest::newRow("below the unit") << 0.0005 << 1.0 << 3 << 0 << "5E-04";
    QTest::newRow("1e-20 is not zero") << 1e-20 << 1.0 << 3 << 0 << "1E-20";
    QTest::newRow("1e-17 is not zero") << 1e-17 << 1.0 << 9 << 0 << "1E-17";
    QTest::newRow("tiny, no decimals") << 3e-300 << 1.0 << 0 << 0 << "3E-300";
    QTest::newRow("exact zero") << 0.0 << 5.0 << 3 << 0 << "0";
    QTest::newRow("negative zero") << -0.0 << 5.0 << 3 << 0 << "0";
    QTest::newRow("more than 15 decimals") << 1.0 << 3.0 << 40 << 0
                                           << "0.333333333333333" + cut;
    QTest::newRow("negative decimals") << 7.0 << 2.0 << -5 << 0 << "3" + cut;
    QTest::newRow("huge decimals, scientific") << 2.5e10 << 1.0 << 1000 << 0 << "2.5E+10";
    QTest::newRow("incomplete") << 1.0 << 1.0 << 3 << 1 << "Incomplete input";
    QTest::newRow("division by zero") << 1.0 << 0.0 << 3 << 2 << "Division by zero impossible";
    QTest::newRow("invalid") << 1.0 << 1.0 << 3 << 3 << "Invalid input";
    QTest::newRow("overflow") << 1.0 << 1.0 << 3 << 4 << "Failure to obtain a valid result";
    QTest::newRow("underflow") << 1.0 << 1.0 << 3 << 5 << "Failure to obtain a valid result";
    QTest::newRow("unknown code") << 1.0 << 1.0 << 3 << 6 << "";
    QTest::newRow("infinite without a code") << 1.0 << 0.0 << 3 << 0
                                             << "Failure to obtain a valid result";
}

void TestNumberFormat::formatNumber()
{
    QFETCH(double, numerator);
    QFETCH(double, denominator);
    QFETCH(int, decimals);
    QFETCH(int, error);
    QFETCH(QString, text);
    Value value(numerator, denominator, false);
    value.error = Value::Error(error);
    QString out;
    ::formatNumber(value, out, decimals, false);
    QCOMPARE(out, text);
}

void TestNumberFormat::appends()
{
    QString out("x=");
    ::formatNumber(Value(1.0, 1.0, true), out, 3, true);
    QCOMPARE(out, QString("x=0"));
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
