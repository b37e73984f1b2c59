#include "calculator/calclayoutcontext.h"
#include "calculator/calcmeasure.h"
#include "calculator/calcmodellayout.h"
#include "model/resultbuilding.h"
#include "model/segmentwalk.h"
#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"

#include <QtTest>

namespace {

// A row of symbols, each with a pen stroke of its own from x on.
RecognitionResult row(const QString &text, double x, double lineSpacing, double baseline)
{
    ResultNode node;
    node.setType(CalcRow);
    Segment root;
    for (const QChar c : text) {
        QPainterPath path(QPointF(x, baseline - 80));
        path.lineTo(x + 50, baseline);
        x += 70;
        Segment symbol;
        symbol.addInk(InkRange::fromStroke(makePathStroke(path)));
        ResultNode candidate;
        candidate.setType(CalcSymbol);
        candidate.setLabel(c);
        symbol.appendCandidate(candidate);
        symbol.setSelectedCandidate(0);
        node.appendChild(symbol);
        root.addInk(symbol.ink());
    }
    root.appendCandidate(node);
    root.setSelectedCandidate(0);
    RecognitionResult r = resultFromSegment(root);
    r.layout().lineSpacing = lineSpacing;
    r.layout().linePositions = {baseline};
    return r;
}

QRectF placedExtent(const RecognitionResult &model, const QTransform &placing)
{
    CalcLayoutContext context;
    context.transform = placing;
    visitSegments(model.root(), 0, measureCalcTree, &context);
    return context.rect;
}

double unitScale()
{
    return referenceCharHeight(ReferenceChar::LatinX);
}

} // namespace

// Where the calculator draws its glyphs and fits the expression into the visible scene.
class TestCalcModelLayout : public QObject
{
    Q_OBJECT
private slots:
    void glyphStretchedOverSmallInk();
    void visibleExpressionStaysPut();
    void wideExpressionShrinksIntoTheMargins();
    void expressionAboveTheTopMovesDown();
    void neverFittedWithoutAskingOrAView();
    void laidOutModelKeepsItsSymbolInks();
    void degenerateRecordPlacesAtTheInk();
};

// A glyph box over ink narrower than 40 units spans 40 units centred on the ink.
void TestCalcModelLayout::glyphStretchedOverSmallInk()
{
    Segment dot;
    QPainterPath path(QPointF(100, 200));
    path.lineTo(104, 204);
    dot.addInk(InkRange::fromStroke(makePathStroke(path)));
    ResultNode candidate;
    candidate.setType(CalcSymbol);
    candidate.setLabel(QStringLiteral("."));
    dot.appendCandidate(candidate);
    dot.setSelectedCandidate(0);
    const QRectF glyph = measureText(QStringLiteral("."));
    const QRectF mapped = inkTransformFor(dot).mapRect(glyph);
    QCOMPARE(mapped.width(), 40.0);
    QCOMPARE(mapped.height(), 40.0);
    QCOMPARE(mapped.center(), QPointF(102, 202));
}

void TestCalcModelLayout::visibleExpressionStaysPut()
{
    const RecognitionResult model = row("12+3", 500, unitScale(), 1000);
    const PlacedExpression placed =
        placeExpression(model, QRectF(0, 0, 5000, 5000), true);
    QCOMPARE(placed.placing.dx(), 500.0);
    QCOMPARE(placed.placing.dy(), 1000.0);
    QCOMPARE(placed.placing.m11(), 1.0);
    QCOMPARE(placed.record.lineSpacing, model.layout().lineSpacing);
}

void TestCalcModelLayout::wideExpressionShrinksIntoTheMargins()
{
    const RecognitionResult model = row("123456789012", 300, 2 * unitScale(), 500);
    const QRectF visible(0, 0, 900, 1000);
    QVERIFY(!visible.contains(placedExtent(model, calcPen(2, 300, 500))));
    const PlacedExpression placed = placeExpression(model, visible, true);
    QVERIFY(placed.record.lineSpacing < model.layout().lineSpacing);
    const QRectF e = placedExtent(model, placed.placing);
    QVERIFY2(visible.adjusted(99, 99, -99, -99).contains(e), qPrintable(QString("%1 %2 %3 %4")
        .arg(e.x()).arg(e.y()).arg(e.width()).arg(e.height())));
    QVERIFY(qAbs(e.width() - (visible.width() - 200)) < 1.0);
}

void TestCalcModelLayout::expressionAboveTheTopMovesDown()
{
    const RecognitionResult model = row("7", 300, unitScale(), 20);
    const QRectF visible(0, 0, 2000, 2000);
    const PlacedExpression placed = placeExpression(model, visible, true);
    const QRectF e = placedExtent(model, placed.placing);
    QVERIFY(qAbs(e.top() - 100.0) < 1e-6);
    QCOMPARE(placed.record.lineSpacing, model.layout().lineSpacing);
}

void TestCalcModelLayout::neverFittedWithoutAskingOrAView()
{
    const RecognitionResult model = row("7", 300, unitScale(), 20);
    const PlacedExpression imported = placeExpression(model, QRectF(0, 0, 2000, 2000), false);
    QCOMPARE(imported.placing.dy(), 20.0);
    QCOMPARE(imported.placing.dx(), 300.0);
    const PlacedExpression viewless = placeExpression(model, QRectF(), true);
    QVERIFY(viewless.placing.isIdentity());
    QCOMPARE(viewless.record, model.layout());
}

void TestCalcModelLayout::laidOutModelKeepsItsSymbolInks()
{
    RecognitionResult model = row("1+2=3", 300, unitScale(), 500);
    const QList<Segment> symbols = model.root().segmentsOfType(CalcSymbol);
    model = model.withInkOfType(CalcAnswerInk, symbols.last().ink(), false);
    const RecognitionResult laidOut = layoutModel(model, QRectF(0, 0, 3000, 3000), true);
    const QList<Segment> placed = laidOut.root().segmentsOfType(CalcSymbol);
    QCOMPARE(placed.size(), symbols.size());
    QCOMPARE(laidOut.cachedInk(CalcAnswerInk), placed.last().ink());
    QVERIFY(placed.last().ink().isAllOfKind(Stroke::Box));
    QVERIFY(layoutModel(RecognitionResult(), QRectF(0, 0, 100, 100), true).root().ink().isEmpty());
}

// A record without lines or scale, or a view smaller than its margins, leaves the
// expression where its ink is instead of dividing by nothing or shrinking below zero.
void TestCalcModelLayout::degenerateRecordPlacesAtTheInk()
{
    RecognitionResult model = row("12", 300, 0.0, 500);
    model.layout().linePositions.clear();
    const PlacedExpression placed = placeExpression(model, QRectF(0, 0, 150, 150), true);
    QCOMPARE(placed.placing.dx(), 300.0);
    QCOMPARE(placed.placing.dy(), 0.0);
    QCOMPARE(placed.record.linePositions, QList<double>{0.0});
    QCOMPARE(placed.record.lineSpacing, 0.0);

    const RecognitionResult tiny = row("12", 300, unitScale(), 500);
    const PlacedExpression cramped = placeExpression(tiny, QRectF(0, 0, 150, 150), true);
    QCOMPARE(cramped.record.lineSpacing, tiny.layout().lineSpacing);
    QVERIFY(qIsFinite(cramped.placing.dx()) && qIsFinite(cramped.placing.dy()));
}

QTEST_MAIN(TestCalcModelLayout)
#include "tst_calcmodellayout.moc"
