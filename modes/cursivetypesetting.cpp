#include "modes/cursivetypesetting.h"

#include "model/charclasses.h"
#include "model/resultbuilding.h"
#include "model/segmentvisitors.h"
#include "modes/cursivelayout.h"
#include "pad/padclock.h"

#include <vector>

namespace {

bool isSeparator(const Segment &s)
{
    const ResultNode c = s.selectedCandidate();
    return s.ink().isEmpty() || c.isSpace() || c.isNewLine()
           || (c.label().isEmpty() && c.children().isEmpty());
}

bool isKeptOut(const QRectF &ink, const QList<QRectF> &keepOut, double h)
{
    for (const QRectF &r : keepOut) {
        if (r.adjusted(-2 * h, 0, 2 * h, 0).intersects(ink))
            return true;
    }
    return false;
}

} // namespace

StrokeStamp firstStamp(const InkRange &ink)
{
    const QList<Stroke> strokes = ink.strokes();
    if (strokes.isEmpty())
        return PadClock::now();
    StrokeStamp first = strokes.first().stamp();
    for (const Stroke &s : strokes) {
        if (first.isLaterThan(s.stamp()))
            first = s.stamp();
    }
    return first;
}

TypesetMarks markTypesetInk(const RecognitionResult &result, const QList<QRectF> &keepOut,
                            const StrokeStamp &now)
{
    TypesetMarks marks;
    const StrokeStamp threshold = now.addMSecs(-TypesetAge);
    InkRange typeset = result.cachedInk(TypesetInk);
    InkRange settled = result.cachedInk(SettledInk);
    const bool wasIncomplete = !typeset.contains(result.root().ink());
    const double h = result.layout().lineSpacing;

    const QList<Segment> segments = result.root().selectedCandidate().children();
    const int n = int(segments.size());
    std::vector<bool> ready(n + 1, false);
    for (int i = 0; i < n; ++i) {
        const Segment &s = segments.at(i);
        if (isSeparator(s)) {
            ready[i] = i == 0 ? true : bool(ready[i - 1]);
        } else if (typeset.contains(s.ink())) {
            ready[i] = true;
        } else if (!threshold.isLaterThan(firstStamp(s.ink()))) {
            const int remaining = int(threshold.msecsTo(firstStamp(s.ink())));
            if (!marks.retry || remaining < marks.retryIn) {
                marks.retryIn = remaining;
                marks.retry = true;
            }
        } else {
            ready[i] = !isKeptOut(s.ink().boundingRect(), keepOut, h);
        }
    }
    ready[n] = false;
    std::vector<bool> settledFlag = ready;
    for (int pass = 0; pass < 6; ++pass) {
        for (int j = 0; j < n; ++j)
            settledFlag[j] = settledFlag[j + 1] && ready[j];
    }
    for (int i = 0; i < n; ++i) {
        if (ready[i])
            typeset = typeset.united(segments.at(i).ink());
        if (settledFlag[i])
            settled = settled.united(segments.at(i).ink());
    }
    marks.result = result;
    marks.result.storeInkOfType(TypesetInk, typeset);
    marks.result.storeInkOfType(SettledInk, settled);
    if (!marks.retry && wasIncomplete) {
        marks.layoutDue = true;
        const qint64 t = firstStamp(result.root().ink()).msecsTo(now);
        marks.layoutIn = int(qMax<qint64>(0, LayoutDelay - t));
    }
    return marks;
}

RecognitionResult freezeSettledWords(const RecognitionResult &result)
{
    const InkRange settled = result.cachedInk(SettledInk);
    const ResultNode rootNode = result.root().selectedCandidate();
    QList<Segment> words = rootNode.children();
    bool changed = false;
    for (Segment &word : words) {
        if (word.selectedCandidate().type() != ResultNode::Word || word.ink().isEmpty()
            || !word.ink().isAllOfKind(Stroke::Pen) || !settled.contains(word.ink()))
            continue;
        word = mapChildSegments(word, replaceLeafInkWithFittedBoxes, nullptr);
        changed = true;
    }
    if (!changed)
        return result;
    ResultNode node = rootNode;
    node.setChildren(words);
    RecognitionResult frozen = resultFromNode(node);
    frozen.setTransform(result.transform());
    frozen.layout() = result.layout();
    frozen.rebuildInkCacheFrom(result, ResultNode::Word);
    return frozen;
}

RecognitionResult markSpacedCharacterInk(const RecognitionResult &result)
{
    static const QString kept = QStringLiteral("0123456789'\",.:()");
    InkRange ink = result.cachedInk(SpacedCharacterInk);
    for (const Segment &s : result.root().segmentsOfType(ResultNode::Character)) {
        const ResultNode c = s.selectedCandidate();
        if (c.isSpace() || c.isNewLine() || c.label().isEmpty())
            continue;
        const QChar first = c.label().at(0);
        if (isCharOfClass(first, ArabicClass) || isCharOfClass(first, ArabicDigitClass)
            || isCharOfClass(first, ArabicPunctuationClass)
            || kept.contains(first))
            continue;
        ink = ink.united(s.ink());
    }
    RecognitionResult marked = result;
    marked.storeInkOfType(SpacedCharacterInk, ink);
    return marked;
}
