#include "modes/cursivemerge.h"

#include "model/cutting.h"
#include "model/merging.h"
#include "model/respacing.h"
#include "modes/cursivelayout.h"

namespace {

// The ink whose reading the model keeps.
InkRange keptInk(const RecognitionResult &model, const RecognitionResult &wet)
{
    const InkRange settled = model.cachedInk(SettledInk);
    InkRange kept = model.cachedInk(SpacedCharacterInk);
    for (const Segment &word : wet.root().segmentsOfType(ResultNode::Word)) {
        if (!word.ink().isEmpty() && settled.contains(word.ink()))
            kept = kept.united(word.ink());
    }
    return kept;
}

RecognitionResult withMarksOf(RecognitionResult part, const RecognitionResult &model)
{
    for (const TypedInk &mark : model.inkTypes())
        part = part.withInkOfType(mark.first, mark.second, true);
    return part;
}

} // namespace

RecognitionResult mergeWetResult(const RecognitionResult &model, const RecognitionResult &wet,
                                 bool respaceFirst)
{
    const RecognitionResult reading =
        respaceFirst ? respaceResult(wet, WidenPunctuation) : wet;
    const QList<RecognitionResult> parts = splitResult(reading, keptInk(model, reading));
    QList<RecognitionResult> merged;
    for (int j = 0; j < parts.size(); j += 2) {
        merged << withMarksOf(parts.at(j), model);
        if (j + 1 < parts.size()) {
            const QList<RecognitionResult> own = splitResult(model, parts.at(j + 1).root().ink());
            if (own.size() > 1)
                merged << own.at(1);
        }
    }
    const RecognitionResult m = mergeResults(merged, 1);
    return respaceFirst ? m : respaceResult(m, StripSeparatorInk | EnsureTrailingSpace);
}

ResultLayout adaptLayoutToView(const ResultLayout &layout, const QRectF &visible, bool fullScreen)
{
    ResultLayout adapted = layout;
    if (adapted.linePositions.isEmpty() || visible.isEmpty())
        return adapted;
    const double lineHeight = typesetLineHeight(layout);
    double &first = adapted.linePositions.first();
    if (first - lineHeight < visible.top()) {
        if (first - visible.top() < 2.0 / 3.0 * lineHeight)
            first = visible.top() + 0.75 * lineHeight;
        if (lineHeight > 0)
            adapted.lineSpacing = layout.lineSpacing * (first - visible.top()) / lineHeight;
        return adapted;
    }
    if (visible.bottom() < first && !fullScreen) {
        first = visible.top() + lineHeight;
        return adapted;
    }
    if (fullScreen) {
        const double limit = visible.bottom() - (lineHeight / 5 + 150);
        double &last = adapted.linePositions.last();
        last = qMin(last, limit);
    }
    return adapted;
}
