#include "calculator/calcmodellayout.h"

#include "calculator/calclayoutcontext.h"
#include "calculator/calcmeasure.h"
#include "calculator/calctypeset.h"
#include "model/resultbuilding.h"
#include "model/segmentwalk.h"
#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"

namespace {

constexpr double MinimumInkSide = 40.0;
constexpr double FitMargin = 100.0;

double referenceHeight()
{
    return referenceCharHeight(ReferenceChar::LatinX);
}

// The left edge the typesetting measured from: a box stroke at the ink's left edge carries
// the offset of its glyph.
double referenceLeft(const InkRange &ink)
{
    const double left = ink.boundingRect().left();
    for (const Stroke &s : ink.strokes()) {
        if (s.kind() == Stroke::Box && s.boundingRect().left() == left)
            return left - s.offset();
    }
    return left;
}

QRectF measuredExtent(const Segment &root, const QTransform &pen)
{
    CalcLayoutContext context;
    context.transform = pen;
    visitSegments(root, 0, measureCalcTree, &context);
    return context.rect;
}

} // namespace

double calcScaleRatio(const ResultLayout &layout)
{
    return layout.lineSpacing / referenceHeight();
}

QTransform inkTransformFor(const Segment &symbol)
{
    const QRectF glyph = measureText(symbol.selectedCandidate().label());
    QRectF ink = symbol.ink().boundingRect();
    const QPointF centre = ink.center();
    ink.setWidth(qMax(ink.width(), MinimumInkSide));
    ink.setHeight(qMax(ink.height(), MinimumInkSide));
    ink.moveCenter(centre);
    QTransform t;
    const QPolygonF from{glyph.topLeft(), glyph.topRight(), glyph.bottomRight(),
                         glyph.bottomLeft()};
    const QPolygonF to{ink.topLeft(), ink.topRight(), ink.bottomRight(), ink.bottomLeft()};
    if (!QTransform::quadToQuad(from, to, t))
        return QTransform::fromTranslate(ink.x(), ink.y());
    return t;
}

ResultLayout layoutRecordFor(const RecognitionResult &fresh, const ResultLayout &old)
{
    const ResultLayout &next = fresh.layout();
    ResultLayout record;
    record.lineSpacing = 0;
    const bool keepAlignment = old.alignment != Qt::AlignCenter;
    record.alignment = keepAlignment ? old.alignment : next.alignment;
    record.flags = keepAlignment ? old.flags : next.flags;
    if (fresh.cachedInk(0).isEmpty()) {
        const double q = measureText(QStringLiteral("2")).height() / (2 * referenceHeight());
        record.lineSpacing = qMax(q > 0 ? next.lineSpacing / q : next.lineSpacing,
                                  1.5 * referenceHeight());
    } else {
        record.lineSpacing = old.lineSpacing;
    }
    const bool close = !old.linePositions.isEmpty() && !next.linePositions.isEmpty()
                       && qAbs(old.linePositions.first() - next.linePositions.first())
                              < 1.5 * record.lineSpacing;
    record.linePositions = close ? old.linePositions : next.linePositions;
    return record;
}

PlacedExpression placeExpression(const RecognitionResult &model, const QRectF &visible,
                                 bool fitToView)
{
    PlacedExpression placed{QTransform(), model.layout()};
    if (visible.isNull())
        return placed;
    ResultLayout &record = placed.record;
    if (record.linePositions.isEmpty())
        record.linePositions = {0.0};
    const double scale = model.layout().lineSpacing;
    const double r = calcScaleRatio(model.layout());
    const double l0 = record.linePositions.first();
    const InkRange ink = model.root().ink();
    const double x0 = referenceLeft(ink);
    const QRectF e = measuredExtent(model.root(), calcPen(r, x0, l0));
    double x = x0;
    if (fitToView && !visible.contains(e) && e.height() > 0 && e.width() > 0 && scale > 0) {
        const double b = (l0 - e.y()) / e.height();
        const double s1 = (visible.height() - 2 * FitMargin) * scale / e.height();
        const double s2 = (visible.width() - 2 * FitMargin) * scale / e.width();
        const double s = s1 < s2 ? s1 : s2;
        const double shrunk = s < scale ? s : scale;
        QRectF n = e;
        if (shrunk > 0 && shrunk != scale) {
            record.lineSpacing = shrunk;
            const double k = shrunk / scale;
            const double left = ink.boundingRect().left();
            n = QRectF(left + (e.x() - left) * k, l0 - b * k * e.height(), k * e.width(),
                       k * e.height());
            x = left + (x0 - left) * k;
        }
        if (n.y() < visible.y() + FitMargin)
            record.linePositions[0] = visible.y() + FitMargin + b * n.height();
        else if (n.bottom() > visible.bottom() - FitMargin)
            record.linePositions[0] = visible.bottom() - FitMargin - (1 - b) * n.height();
        // The expression's own left edge, not the pen before its first glyph, keeps the
        // margin.
        if (n.x() < visible.x() + FitMargin)
            x += visible.x() + FitMargin - n.x();
        else if (n.right() > visible.right() - FitMargin)
            x += visible.right() - FitMargin - n.right();
    }
    placed.placing = calcPen(calcScaleRatio(record), x, record.linePositions.first());
    return placed;
}

RecognitionResult layoutModel(const RecognitionResult &model, const QRectF &visible,
                              bool fitToView)
{
    if (model.root().ink().isEmpty())
        return RecognitionResult();
    const QList<int> types{CalcAnswerInk, CalcAddedInk, CalcErrorInk};
    QList<QList<bool>> marks;
    for (const Segment &symbol : model.root().segmentsOfType(CalcSymbol)) {
        QList<bool> m;
        for (const int type : types)
            m << model.cachedInk(type).contains(symbol.ink());
        marks << m;
    }
    const PlacedExpression placed = placeExpression(model, visible, fitToView);
    CalcLayoutContext context;
    context.transform = placed.placing;
    RecognitionResult fresh =
        resultFromSegment(visitSegments(model.root(), 0, typesetCalcTree, &context));
    fresh.setTransform(model.transform());
    fresh.layout() = placed.record;
    QList<InkRange> inks(types.size());
    const QList<Segment> symbols = fresh.root().segmentsOfType(CalcSymbol);
    for (int i = 0; i < symbols.size() && i < marks.size(); ++i) {
        for (int t = 0; t < types.size(); ++t) {
            if (marks.at(i).at(t))
                inks[t] = inks.at(t).united(symbols.at(i).ink());
        }
    }
    for (int t = 0; t < types.size(); ++t)
        fresh = fresh.withInkOfType(types.at(t), inks.at(t), false);
    return fresh;
}
