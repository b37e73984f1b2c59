#include "modes/cursivecandidatechoice.h"

#include "model/cutting.h"
#include "model/merging.h"
#include "model/resultbuilding.h"
#include "modes/cursivelayout.h"
#include "modes/cursivetypesetting.h"

RecognitionResult chooseCandidate(const RecognitionResult &model, Segment segment, int index,
                                  const StrokeStamp &now)
{
    const InkRange ink = segment.ink();
    if (ink.isEmpty() || !model.root().ink().contains(ink) || !segment.setSelectedCandidate(index))
        return model;
    QList<RecognitionResult> parts =
        splitResultAtCuts(model, {ink.firstLocation(), ink.lastLocation()});
    if (parts.size() < 2)
        return model;

    const RecognitionResult &old = parts.at(1);
    RecognitionResult word = resultFromSegment(segment)
                                 .withInkOfType(TypesetInk, old.root().ink(), true)
                                 .withInkOfType(SpacedCharacterInk,
                                                model.cachedInk(SpacedCharacterInk), true);
    word.layout() = old.layout();
    parts[1] = word;
    const RecognitionResult merged = mergeResults(parts, 0);
    return freezeSettledWords(markTypesetInk(merged, {}, now).result);
}
