#include "modes/cursivescreenfit.h"

#include "model/merging.h"
#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "modes/cursivelayout.h"
#include "modes/cursivelayoutanimation.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"

namespace {

constexpr int LaidOutInBoxes = 1;
constexpr double LinePitch = 2.2;

RecognitionResult newLineResult()
{
    Segment s;
    ResultNode n;
    n.setLabel(QStringLiteral("\n"));
    n.setType(ResultNode::Word);
    s.appendCandidate(n);
    s.selectLastCandidate();
    return resultFromSegment(s);
}

RecognitionResult uniting(const RecognitionResult &r, int type, const InkRange &ink)
{
    return r.withInkOfType(type, ink, true);
}

} // namespace

RecognitionResult breakLinesForScreen(const RecognitionResult &model, double width)
{
    ResultLayout layout = model.layout();
    layout.flags &= ~LaidOutInBoxes;
    layout.linePositions = model.layout().linePositions.mid(0, 1);
    if (layout.linePositions.isEmpty())
        layout.linePositions.append(0.0);

    const RecognitionResult m = respaceResult(model, StripSeparatorInk | NewLinesToSpaces);
    const double x0 = m.root().ink().boundingRect().left();
    const double s = layoutScale(layout);

    QString measured;
    int lastSpace = -1;
    QList<RecognitionResult> parts;
    const QList<Segment> words = m.root().segmentsOfType(ResultNode::Word);
    for (int i = 0; i < words.size(); ++i) {
        const ResultNode c = words.at(i).selectedCandidate();
        measured += c.label();
        parts.append(resultFromSegment(words.at(i)));
        if (c.isSpace()) {
            lastSpace = i;
            continue;
        }
        if (x0 + s * measureText(measured).width() <= width)
            continue;
        measured = c.label();
        if (lastSpace >= 0) {
            parts[lastSpace] = newLineResult();
            layout.linePositions.append(layout.linePositions.constLast()
                                        + LinePitch * layout.lineSpacing);
        }
    }

    RecognitionResult r = mergeResults(parts, 0);
    const InkRange all = r.root().ink();
    r = uniting(uniting(r, TypesetInk, all), SettledInk, all);
    r = uniting(r, SpacedCharacterInk, m.cachedInk(SpacedCharacterInk));
    r.layout() = layout;
    return r;
}

RecognitionResult placeWordsForScreen(const RecognitionResult &model, bool commonLineStart,
                                      int controllerAlignment)
{
    const QList<QTransform> placements =
        layoutWordPlacements(model, commonLineStart, controllerAlignment);
    const InkRange spaced = model.cachedInk(SpacedCharacterInk);
    const QList<Segment> words = model.root().segmentsOfType(ResultNode::Word);
    QList<RecognitionResult> parts;
    for (int i = 0; i < words.size(); ++i) {
        const Segment &word = words.at(i);
        const ResultNode c = word.selectedCandidate();
        if (c.isSpace() || c.isNewLine()) {
            parts.append(uniting(resultFromSegment(word), SpacedCharacterInk, spaced));
            continue;
        }
        const Segment placed = replaceWordInk(word, placements.value(i));
        RecognitionResult part = resultFromSegment(placed);
        if (word.ink().intersects(spaced))
            part = uniting(part, SpacedCharacterInk, placed.ink());
        parts.append(part);
    }
    RecognitionResult r = mergeResults(parts, 0);
    const InkRange all = r.root().ink();
    r = uniting(uniting(r, SettledInk, all), TypesetInk, all);
    r.layout() = model.layout();
    return r;
}
