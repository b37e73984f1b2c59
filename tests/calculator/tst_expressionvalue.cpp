#include "calculator/exptreevalue.h"

#include <QTest>

#include <cmath>

using ExpTree::Value;

Q_DECLARE_METATYPE(Value)

namespace {

Value known(double n, double d)
{
    return Value(n, d, false);
}

} // namespace

class TestExpressionValue : public QObject
{
    Q_OBJECT

private slots:
    void arithmetic_data();
    void arithmetic();
    void finiteCheck_data();
    void finiteCheck();
    void errorCodeStays();
    void undefinedReadsAsZero();
};

void TestExpressionValue::arithmetic_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Value>("a");
    QTest::addColumn<Value>("b");
    QTest::addColumn<double>("numerator");
    QTest::addColumn<double>("denominator");
    QTest::addColumn<Value::Error>("error");

    QTest::newRow("sum never reduced")
        << "add" << known(1, 2) << known(1, 3) << 5.0 << 6.0 << Value::NoError;
    QTest::newRow("difference") << "subtract" << known(1, 2) << known(1, 3) << 1.0 << 6.0
                                << Value::NoError;
    QTest::newRow("1 / 0 overflows")
        << "divide" << known(1, 1) << known(0, 1) << 1.0 << 0.0 << Value::Overflow;
    QTest::newRow("0 / 0 is invalid")
        << "divide" << known(0, 1) << known(0, 1) << 0.0 << 0.0 << Value::InvalidInput;
    QTest::newRow("negative base, fractional power")
        << "power" << known(-8, 1) << known(1, 2) << std::nan("") << 1.0 << Value::InvalidInput;
    QTest::newRow("power with the sign below")
        << "power" << known(-8, -2) << known(1, 2) << std::sqrt(8.0) << std::sqrt(2.0)
        << Value::NoError;
    QTest::newRow("square root of 9")
        << "root" << known(2, 1) << known(9, 1) << 3.0 << 1.0 << Value::NoError;
    QTest::newRow("root with the sign below") << "root" << known(2, 1) << known(-8, -2)
                                              << std::sqrt(8.0) << std::sqrt(2.0) << Value::NoError;
    QTest::newRow("logarithm of 1")
        << "logarithm" << known(5, 1) << known(1, 1) << 0.0 << 1.0 << Value::NoError;
    QTest::newRow("subnormal underflows")
        << "divide" << known(1e-300, 1) << known(1e10, 1) << 1e-300 << 1e10 << Value::Underflow;
}

void TestExpressionValue::arithmetic()
{
    QFETCH(QString, operation);
    QFETCH(Value, a);
    QFETCH(Value, b);
    QFETCH(double, numerator);
    QFETCH(double, denominator);
    QFETCH(Value::Error, error);

    bool passed = false;
    if (operation == "add")
        passed = a.add(b);
    else if (operation == "subtract")
        passed = a.subtract(b);
    else if (operation == "divide")
        passed = a.divide(b);
    else if (operation == "power")
        passed = a.power(b);
    else if (operation == "root")
        passed = a.root(b);
    else
        passed = a.logarithm(b);

    QCOMPARE(a.error, error);
    QCOMPARE(passed, error == Value::NoError);
    if (std::isnan(numerator))
        QVERIFY(std::isnan(a.numerator));
    else
        QCOMPARE(a.numerator, numerator);
    QCOMPARE(a.denominator, denominator);
}

void TestExpressionValue::finiteCheck_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<Value::Error>("error");
    QTest::newRow("zero") << 0.0 << Value::NoError;
    QTest::newRow("smallest normal") << 2.2250738585072014e-308 << Value::Underflow;
    QTest::newRow("subnormal") << 1e-310 << Value::Underflow;
    QTest::newRow("largest finite") << 1.7976931348623157e308 << Value::Overflow;
    QTest::newRow("minus infinity") << -HUGE_VAL << Value::Overflow;
    QTest::newRow("nan") << std::nan("") << Value::InvalidInput;
    QTest::newRow("ordinary") << -12.5 << Value::NoError;
}

void TestExpressionValue::finiteCheck()
{
    QFETCH(double, x);
    QFETCH(Value::Error, error);
    Value v = known(1, 1);
    QCOMPARE(v.check(x), error == Value::NoError);
    QCOMPARE(v.error, error);
}

void TestExpressionValue::errorCodeStays()
{
    Value v = known(1, 1);
    QVERIFY(!v.set(1e-310, 1));
    QCOMPARE(v.error, Value::Underflow);
    QVERIFY(v.set(3, 1));
    QCOMPARE(v.error, Value::Underflow);
}

void TestExpressionValue::undefinedReadsAsZero()
{
    const Value unknown(std::nan(""), 0.0, true);
    QCOMPARE(unknown.numericValue(), 0.0);
    Value target = known(4, 1);
    QVERIFY(target.assign(unknown));
    QVERIFY(target.undefined);
    QCOMPARE(target.error, Value::NoError);
}

QTEST_GUILESS_MAIN(TestExpressionValue)
#include "tst_expressionvalue.moc"
