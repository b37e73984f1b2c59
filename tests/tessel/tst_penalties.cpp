#include "tesselfixture.h"

#include <QtTest>

// Layout penalties of the stacking rules and the stroke weights of their objects,
// read back from the best candidate: with a zero cost callback an object's cost is
// its parts' costs plus g / h², so g = (cost - parts) · h².
class TestPenalties : public QObject
{
    Q_OBJECT

private slots:
    void layoutPenalty_data();
    void layoutPenalty();
};

namespace {

enum RuleKind { Limit, Fraction, PartialFraction, Sum };

constexpr double kDx = 0.1;

// Every single stroke is an "x" standing on its box bottom with half the box height.
int singleStroke(Result *target, Region *region, void *)
{
    if (zkTesselRegionGetStrokeCount(region) != 1)
        return 0;
    double x, y, w, h;
    zkTesselRegionGetBoundingBox(region, &x, &y, &w, &h);
    zkTesselResultAddCandidate(target, region, "x", 0.25, y + h, h / 2);
    return 0;
}

Parser *createParser(RuleKind kind)
{
    Parser *p = zkCreateTessel();
    zkTesselSetDxWeight(p, kDx);
    const int start = zkTesselCreateSymbol(p);
    const int x = zkTesselCreateSymbol(p);
    zkTesselAddRecognizerRule(p, x, &singleStroke, nullptr);
    switch (kind) {
    case Limit:
        zkTesselAddLimitRule(p, start, x, x, &zeroCost);
        break;
    case Fraction:
        zkTesselAddFractionRule(p, start, x, x, x, &zeroCost);
        break;
    case PartialFraction:
        zkTesselAddPartialFractionRule(p, start, x, x, x, &zeroCost);
        break;
    case Sum:
        zkTesselAddSumRule(p, start, x, x, x, &zeroCost);
        break;
    }
    zkTesselSetStartSymbol(p, start);
    return p;
}

// A diagonal stroke across the box.
void addBoxStroke(Parser *parser, const QRectF &box)
{
    addStroke(parser, {{float(box.left()), float(box.top())}, {float(box.right()), float(box.bottom())}});
}

QRectF box(double minX, double minY, double maxX, double maxY)
{
    return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
}

const ParseObject *candidateLabelled(const Result *result, const std::string &text)
{
    for (int i = 0; i < zkTesselResultGetCandidateCount(result); ++i) {
        const ParseObject *object = zkTesselResultGetCandidate(result, i);
        if (label(object) == text)
            return object;
    }
    return nullptr;
}

double childCosts(const ParseObject *object)
{
    double total = 0.0;
    for (int i = 0; i < zkTesselObjectGetChildCount(object); ++i)
        if (const ParseObject *c = zkTesselObjectGetChild(object, i))
            total += zkTesselObjectGetCost(c);
    return total;
}

}

Q_DECLARE_METATYPE(RuleKind)

void TestPenalties::layoutPenalty_data()
{
    QTest::addColumn<RuleKind>("kind");
    QTest::addColumn<QList<QRectF>>("strokes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("penalty");
    QTest::addColumn<double>("strokeWeight");

    // Each squared distance weighs 2 · Dx: the lower part should lie below and span the upper.
    const QRectF upper = box(0, 0, 10, 10);
    const QString limit = "x_{x}";
    QTest::newRow("limit: lower spans") << Limit << QList<QRectF>{upper, box(-2, 12, 12, 16)} << limit << 0.0 << 2.0;
    QTest::newRow("limit: lower short on the left")
            << Limit << QList<QRectF>{upper, box(3, 12, 12, 16)} << limit << 2 * kDx * 9 << 2.0;
    QTest::newRow("limit: lower short on the right")
            << Limit << QList<QRectF>{upper, box(-2, 12, 8, 16)} << limit << 2 * kDx * 4 << 2.0;
    QTest::newRow("limit: lower overlaps upper")
            << Limit << QList<QRectF>{upper, box(-2, 8, 12, 16)} << limit << 2 * kDx * 4 << 2.0;
    QTest::newRow("limit: all three") << Limit << QList<QRectF>{upper, box(1, 9, 8, 16)} << limit
                                      << 2 * kDx * (1 + 4 + 1) << 2.0;

    // Each squared distance weighs Dx: the bar should span both parts and lie between them.
    // The denominator is narrower than the numerator so that each side shows on its own.
    const QRectF numerator = box(2, 0, 8, 6);
    const QRectF bar = box(0, 8, 10, 10);
    const QRectF denominator = box(3, 12, 7, 18);
    struct FractionCase
    {
        const char *name;
        QList<QRectF> strokes;
        double penalty;
    };
    const FractionCase fractions[] = {
        {"bar spans both", {numerator, bar, denominator}, 0.0},
        {"bar short of the numerator on the left", {numerator, box(3, 8, 10, 10), denominator}, kDx * 1},
        {"bar short of both on the right", {numerator, box(0, 8, 6, 10), denominator}, kDx * (4 + 1)},
        {"numerator overlaps bar", {box(2, 0, 8, 9), bar, denominator}, kDx * 1},
        {"bar overlaps denominator", {numerator, bar, box(3, 9, 7, 18)}, kDx * 1},
    };
    for (const FractionCase &c : fractions) {
        QTest::addRow("fraction: %s", c.name) << Fraction << c.strokes << "\\frac{x}{x}" << c.penalty << 2.0;
        QTest::addRow("partial fraction, full: %s", c.name)
                << PartialFraction << c.strokes << "\\frac{x}{x}" << c.penalty << 3.0;
    }
    // Two strokes read both ways: the top one over a bar that spans it, or a bar that
    // is 2 short of the bottom one on each side.
    const QList<QRectF> pair{numerator, bar};
    QTest::newRow("partial fraction: numerator over bar")
            << PartialFraction << pair << "\\frac{x}{}" << 0.0 << 2.0;
    QTest::newRow("partial fraction: bar over denominator")
            << PartialFraction << pair << "\\frac{}{x}" << kDx * (4 + 4) << 2.0;
    QTest::newRow("partial fraction: numerator overlaps bar")
            << PartialFraction << QList<QRectF>{box(2, 0, 8, 9), bar} << "\\frac{x}{}" << kDx * 1 << 2.0;

    // Each squared distance weighs 2 · Dx: the sign spans the upper limit, the lower limit
    // spans the sign, each part below the one before.
    const QRectF top = box(2, 0, 8, 4);
    const QRectF sign = box(0, 6, 10, 16);
    const QRectF bottom = box(-1, 18, 11, 22);
    const QString sum = "x_{x}^{x}";
    QTest::newRow("sum: parts stacked") << Sum << QList<QRectF>{top, sign, bottom} << sum << 0.0 << 3.0;
    QTest::newRow("sum: sign short of the upper limit")
            << Sum << QList<QRectF>{box(-1, 0, 8, 4), sign, bottom} << sum << 2 * kDx * 1 << 3.0;
    QTest::newRow("sum: lower limit short of the sign")
            << Sum << QList<QRectF>{top, sign, box(-1, 18, 8, 22)} << sum << 2 * kDx * 4 << 3.0;
    QTest::newRow("sum: upper limit overlaps sign")
            << Sum << QList<QRectF>{box(2, 0, 8, 7), sign, bottom} << sum << 2 * kDx * 1 << 3.0;
    QTest::newRow("sum: lower limit overlaps sign")
            << Sum << QList<QRectF>{top, sign, box(-1, 15, 11, 22)} << sum << 2 * kDx * 1 << 3.0;
}

void TestPenalties::layoutPenalty()
{
    QFETCH(RuleKind, kind);
    QFETCH(QList<QRectF>, strokes);
    QFETCH(QString, label);
    QFETCH(double, penalty);
    QFETCH(double, strokeWeight);

    Parser *parser = createParser(kind);
    for (const QRectF &s : strokes)
        addBoxStroke(parser, s);
    const ParseObject *object = candidateLabelled(zkTesselRun(parser), label.toStdString());
    QVERIFY(object);
    const double h = zkTesselObjectGetH(object);
    const double g = (zkTesselObjectGetCost(object) - childCosts(object)) * h * h;
    QVERIFY2(qAbs(g - penalty) < 1e-9, qPrintable(QString("penalty %1, expected %2").arg(g).arg(penalty)));
    QCOMPARE(zkTesselObjectGetSW(object), strokeWeight);
    zkTesselDestroy(parser);
}

QTEST_GUILESS_MAIN(TestPenalties)

#include "tst_penalties.moc"
