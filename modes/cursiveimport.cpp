#include "modes/cursiveimport.h"

#include "model/cutting.h"
#include "model/merging.h"
#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "modes/cursivelayout.h"

#include <algorithm>

namespace {

// The words of one line: the odd pieces of the split lie inside its ink.
QList<Segment> lineWords(const RecognitionResult &result, const InkRange &line)
{
    QList<Segment> words;
    const QList<RecognitionResult> pieces = splitResult(result, line);
    for (int i = 1; i < pieces.size(); i += 2)
        words += pieces.at(i).root().segmentsOfType(ResultNode::Word);
    return words;
}

} // namespace

bool needsMirroring(const RecognitionResult &result, int controllerAlignment)
{
    const int a = result.layout().effectiveAlignment();
    return a != controllerAlignment && a != int(Qt::AlignCenter);
}

RecognitionResult mirrorLineWords(const RecognitionResult &result)
{
    const QList<InkRange> lines = inkRangesPerLine(result.root());
    const RecognitionResult newLine = respaceResult(resultFromText(QStringLiteral("\n"), 0),
                                                    StripSeparatorInk);
    QList<RecognitionResult> parts;
    for (int l = 0; l < lines.size(); ++l) {
        QList<Segment> words = lineWords(result, lines.at(l));
        std::reverse(words.begin(), words.end());
        for (const Segment &word : std::as_const(words))
            parts.append(resultFromSegment(word));
        if (l + 1 < lines.size())
            parts.append(newLine);
    }
    RecognitionResult mirrored = mergeResults(parts, 0);
    for (int type : {TypesetInk, SettledInk, SpacedCharacterInk})
        mirrored = mirrored.withInkOfType(type, result.cachedInk(type), true);
    mirrored.layout() = result.layout();
    return respaceResult(mirrored, DropLeading);
}
