#include "calculator/solveexpression.h"

#include "calculator/calcsegmenttypes.h"
#include "calculator/exptreebuilder.h"
#include "calculator/solverwriteback.h"

#include "model/resultbuilding.h"

namespace {

QList<int> strokePositions(const InkRange &ink, const QList<Stroke> &strokes)
{
    QList<int> positions;
    for (const Stroke &stroke : ink.strokes())
        positions << strokes.indexOf(stroke);
    return positions;
}

void append(InputCharacters &characters, QChar c, const QList<int> &positions = {})
{
    characters.append({c, positions});
}

void collectCharacters(const Segment &segment, const QList<Stroke> &strokes,
                       InputCharacters &characters);

// Parts from index first on, each in a group the system adds.
void collectBracketed(const QList<Segment> &parts, int first, const QList<Stroke> &strokes,
                      InputCharacters &characters)
{
    append(characters, '[');
    for (int i = first; i < parts.size(); ++i)
        collectCharacters(parts[i], strokes, characters);
    append(characters, ']');
}

void collectCharacters(const Segment &segment, const QList<Stroke> &strokes,
                       InputCharacters &characters)
{
    const ResultNode candidate = segment.selectedCandidate();
    const QList<Segment> parts = candidate.children();
    const int type = candidate.type();
    if (type == CalcSymbol) {
        const QList<int> positions = strokePositions(segment.ink(), strokes);
        for (const QChar c : candidate.label())
            append(characters, c, positions);
    } else if (type == CalcPower && !parts.isEmpty()) {
        collectCharacters(parts[0], strokes, characters);
        append(characters, '^');
        collectBracketed(parts, 1, strokes, characters);
    } else if (type == CalcFraction && parts.size() == 3) {
        collectBracketed({parts[0]}, 0, strokes, characters);
        append(characters, QChar(0x2044), strokePositions(parts[1].ink(), strokes));
        collectBracketed({parts[2]}, 0, strokes, characters);
    } else if (type == CalcSquareRoot && !parts.isEmpty()) {
        collectCharacters(parts[0], strokes, characters);
        collectBracketed(parts, 1, strokes, characters);
    } else {
        for (const Segment &part : parts)
            collectCharacters(part, strokes, characters);
    }
}

} // namespace

void solveExpression(RecognitionResult &result, const RecognitionResult &source, int decimals,
                     const QString &separator)
{
    const QList<Stroke> strokes = source.root().ink().strokes();
    InputCharacters characters;
    collectCharacters(source.root(), strokes, characters);
    const std::unique_ptr<ExpTree::Node> tree = buildExpTree(characters);
    if (!tree) {
        result = source;
        return;
    }
    WriteBackContext context;
    context.symbols = source.root().segmentsOfType(CalcSymbol);
    context.strokes = strokes;
    context.decimals = decimals;
    context.separator = separator;
    const Segment solved = writeSolvedTree(tree.get(), context);
    result = resultFromSegment(solved)
                 .withInkOfType(CalcAddedInk, context.addedInk, true)
                 .withInkOfType(CalcAnswerInk, context.lastValueInk, true)
                 .withInkOfType(CalcErrorInk, context.errorInk, true);
    result.layout() = source.layout();
}
