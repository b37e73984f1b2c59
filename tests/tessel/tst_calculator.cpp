#include "tesselfixture.h"

#include <QtTest>

// Parses handwritten arithmetic with the calculator's grammar.
class TestCalculator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void onePlusTwo();
    void fraction();
    void power();
    void squareRoot();

private:
    const ParseObject *parseBest();

    TableRecognizer m_recognizer;
    Parser *m_parser = nullptr;
};

void TestCalculator::init()
{
    m_recognizer = TableRecognizer();
    m_parser = createCalculatorParser(&m_recognizer);
}

void TestCalculator::cleanup()
{
    zkTesselDestroy(m_parser);
}

const ParseObject *TestCalculator::parseBest()
{
    const Result *result = zkTesselRun(m_parser);
    return zkTesselResultGetCandidate(result, 0);
}

void TestCalculator::onePlusTwo()
{
    addStroke(m_parser, {{0, 0}, {0, 20}});
    addStroke(m_parser, {{10, 10}, {20, 10}});
    addStroke(m_parser, {{15, 5}, {15, 15}});
    addStroke(m_parser, {{25, 2}, {35, 0}, {35, 10}, {25, 20}, {35, 20}});
    m_recognizer.add({0}, "1", 0.2);
    m_recognizer.add({1, 2}, "+", 0.2, TableRecognizer::Centred);
    m_recognizer.add({1}, "-", 0.9, TableRecognizer::Centred);
    m_recognizer.add({2}, "1", 0.9);
    m_recognizer.add({3}, "2", 0.2);

    const ParseObject *best = parseBest();
    QVERIFY(best);
    QCOMPARE(type(best), std::string("HPair"));
    QCOMPARE(withoutBraces(label(best)), std::string("1+2"));
    QCOMPARE(terminals(best), (std::vector<std::string>{"1", "+", "2"}));
    QCOMPARE(zkTesselRegionGetStrokeCount(zkTesselObjectGetRegion(best)), 4);

    // The recognizer is asked once per region, and a second run asks nothing.
    for (const auto &c : m_recognizer.calls)
        QCOMPARE(c.second, 1);
    const int calls = m_recognizer.totalCalls();
    const Result *again = zkTesselRun(m_parser);
    QCOMPARE(m_recognizer.totalCalls(), calls);
    QCOMPARE(zkTesselResultGetCandidate(again, 0), best);

    // After a clear the same drawing is recognised afresh.
    zkTesselClear(m_parser);
    addStroke(m_parser, {{0, 0}, {0, 20}});
    QVERIFY(zkTesselRun(m_parser));
    QCOMPARE(m_recognizer.calls[{0}], 2);
}

void TestCalculator::fraction()
{
    addStroke(m_parser, {{11, 0}, {11, 20}});
    addStroke(m_parser, {{0, 25}, {30, 25}});
    addStroke(m_parser, {{10, 32}, {20, 30}, {20, 40}, {10, 50}, {20, 50}});
    m_recognizer.add({0}, "1", 0.2);
    m_recognizer.add({1}, "-", 0.2, TableRecognizer::Centred);
    m_recognizer.add({2}, "2", 0.2);

    const ParseObject *best = parseBest();
    QVERIFY(best);
    QCOMPARE(type(best), std::string("PartialFraction"));
    QCOMPARE(label(best), std::string("\\frac{1}{2}"));
    QCOMPARE(zkTesselObjectGetChildCount(best), 3);
    QCOMPARE(label(zkTesselObjectGetChild(best, 1)), std::string("-"));
    QCOMPARE(zkTesselObjectGetY(best), 25 + 0.5 * zkTesselObjectGetH(best));
    // The costs of the three terminals are not part of the relative cost.
    QVERIFY(qAbs(zkTesselObjectGetRelCost(best) - (zkTesselObjectGetCost(best) - 0.6)) < 1e-12);
}

void TestCalculator::power()
{
    addStroke(m_parser, {{0, 10}, {10, 12}, {3, 20}, {10, 25}, {0, 30}});
    addStroke(m_parser, {{12, 1}, {17, 0}, {17, 4}, {12, 10}, {17, 10}});
    m_recognizer.add({0}, "3", 0.2);
    m_recognizer.add({1}, "2", 0.2);

    const ParseObject *best = parseBest();
    QVERIFY(best);
    QCOMPARE(type(best), std::string("Superscript"));
    QCOMPARE(label(best), std::string("3^{2}"));
    QCOMPARE(zkTesselObjectGetH(best), 10.0);
    QCOMPARE(zkTesselObjectGetY(best), 30.0);
}

void TestCalculator::squareRoot()
{
    addStroke(m_parser, {{0, 10}, {3, 20}, {5, 0}, {30, 0}});
    addStroke(m_parser, {{18, 5}, {10, 14}, {20, 14}, {18, 5}, {18, 18}});
    m_recognizer.add({0}, "\\sqrt", 0.3);
    m_recognizer.add({1}, "4", 0.2);

    const ParseObject *best = parseBest();
    QVERIFY(best);
    QCOMPARE(type(best), std::string("Sqrt"));
    QCOMPARE(label(best), std::string("\\sqrt{4}"));
    QCOMPARE(zkTesselObjectGetChildCount(best), 2);
    // The cost callback answers 0, so only the children's costs remain.
    QCOMPARE(zkTesselObjectGetCost(best), 0.5);
    QCOMPARE(type(zkTesselObjectGetChild(best, 0)), std::string("Recognizer"));
}

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
