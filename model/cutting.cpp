#include "model/cutting.h"

#include "model/segmentwalk.h"

namespace {

enum class Side { Before, After };

bool isEmptyCandidate(const ResultNode &node)
{
    return node.label().isEmpty() && node.children().isEmpty();
}

bool cutSegment(const Segment &segment, const InkLocation &cut, Segment *before, Segment *after);

ResultNode candidateOf(const QList<Segment> &children, const ResultNode &source)
{
    ResultNode node;
    node.setChildren(children);
    node.setScore(source.score());
    node.setWordFlag(source.wordFlag());
    return node;
}

// A candidate without children goes whole to the preferred side. Of a
// candidate's children, those before the one holding the cut go before,
// those after it after, and the one holding it is cut in two.
void cutCandidate(const ResultNode &node, const InkLocation &cut, Side preferred,
                  ResultNode *before, ResultNode *after)
{
    if (node.children().isEmpty()) {
        *before = preferred == Side::Before ? node : ResultNode();
        *after = preferred == Side::After ? node : ResultNode();
        return;
    }
    QList<Segment> head;
    QList<Segment> tail;
    bool found = false;
    for (const Segment &child : node.children()) {
        if (found) {
            tail << child;
            continue;
        }
        Segment childBefore;
        Segment childAfter;
        found = cutSegment(child, cut, &childBefore, &childAfter);
        if (!found) {
            head << child;
            continue;
        }
        if (!childBefore.ink().isEmpty())
            head << childBefore;
        if (!childAfter.ink().isEmpty())
            tail << childAfter;
    }
    *before = candidateOf(head, node);
    *after = candidateOf(tail, node);
}

void appendPart(Segment &part, const ResultNode &candidate, bool selected)
{
    if (isEmptyCandidate(candidate))
        return;
    part.appendCandidate(candidate);
    if (selected)
        part.selectLastCandidate();
}

bool cutSegment(const Segment &segment, const InkLocation &cut, Segment *before, Segment *after)
{
    if (!splitInkAt(cut, before, after, segment.ink().pieces())) {
        *before = segment;
        return false;
    }
    const Side preferred =
        after->ink().pointCount() > before->ink().pointCount() ? Side::After : Side::Before;
    const QList<ResultNode> candidates = segment.candidates();
    for (int i = 0; i < candidates.size(); ++i) {
        ResultNode head;
        ResultNode tail;
        cutCandidate(candidates[i], cut, preferred, &head, &tail);
        appendPart(*before, head, i == segment.selectedIndex());
        appendPart(*after, tail, i == segment.selectedIndex());
    }
    return true;
}

// r's layout record with the per-line positions of the part's lines,
// taken from the start or from the end; the default record for a part
// without lines.
ResultLayout partLayout(const ResultLayout &layout, const Segment &root, Side side)
{
    const int lines = nonEmptyLineCount(root);
    if (lines <= 0)
        return ResultLayout();
    ResultLayout part = layout;
    const int count = layout.linePositions.size();
    part.linePositions = side == Side::Before ? layout.linePositions.mid(0, lines)
                                              : layout.linePositions.mid(qMax(count - lines, 0));
    return part;
}

RecognitionResult partOf(const RecognitionResult &r, const Segment &root, Side side)
{
    RecognitionResult part = r;
    part.setRoot(root);
    part.layout() = partLayout(r.layout(), root, side);
    for (const TypedInk &entry : r.inkTypes())
        part.storeInkOfType(entry.first, entry.second);
    return part;
}

// Each stroke of a result on a new stroke spanning the points it uses.
class InkDetacher
{
public:
    void collect(const InkRange &ink)
    {
        for (const StrokeRange &piece : ink.pieces()) {
            if (!piece.hasInterval())
                continue;
            const IntervalList intervals = piece.intervals();
            const Interval span{intervals.first().first, intervals.last().last};
            const int i = m_sources.indexOf(piece.stroke());
            if (i < 0) {
                m_sources << piece.stroke();
                m_spans << span;
            } else {
                m_spans[i].first = qMin(m_spans[i].first, span.first);
                m_spans[i].last = qMax(m_spans[i].last, span.last);
            }
        }
    }

    void collect(const Segment &segment)
    {
        collect(segment.ink());
        for (const ResultNode &candidate : segment.candidates()) {
            for (const Segment &child : candidate.children())
                collect(child);
        }
    }

    void makeStrokes()
    {
        for (int i = 0; i < m_sources.size(); ++i)
            m_detached << m_sources[i].subStroke(m_spans[i].first, m_spans[i].last);
    }

    InkRange detached(const InkRange &ink) const
    {
        InkRange result;
        for (const StrokeRange &piece : ink.pieces()) {
            const int i = m_sources.indexOf(piece.stroke());
            if (i < 0) {
                result.add(StrokeRange());
                continue;
            }
            StrokeRange moved;
            moved.setStroke(m_detached[i]);
            const int base = m_spans[i].first;
            for (const Interval &interval : piece.intervals())
                moved.addInterval(interval.first - base, interval.last - base);
            result.add(moved);
        }
        return result;
    }

private:
    QList<Stroke> m_sources;
    QList<Interval> m_spans;
    QList<Stroke> m_detached;
};

} // namespace

bool cutResult(const RecognitionResult &r, const InkLocation &cut, RecognitionResult *before,
               RecognitionResult *after)
{
    Segment rootBefore;
    Segment rootAfter;
    const bool inside = cutSegment(r.root(), cut, &rootBefore, &rootAfter);
    if (before)
        *before = partOf(r, rootBefore, Side::Before);
    if (after)
        *after = partOf(r, rootAfter, Side::After);
    return inside;
}

QList<RecognitionResult> splitResultAtCuts(const RecognitionResult &r,
                                           const QList<InkLocation> &cuts)
{
    QList<RecognitionResult> pieces;
    RecognitionResult remainder = r;
    for (const InkLocation &cut : cuts) {
        RecognitionResult before;
        RecognitionResult after;
        cutResult(remainder, cut, &before, &after);
        pieces << before;
        remainder = rebuildResultTree(after, false);
    }
    pieces << remainder;
    return pieces;
}

QList<RecognitionResult> splitResult(const RecognitionResult &r, const InkRange &ink)
{
    return splitResultAtCuts(r, r.root().ink().cutLocations(ink));
}

RecognitionResult detachResultInk(const RecognitionResult &r)
{
    InkDetacher detacher;
    detacher.collect(r.root());
    for (const TypedInk &entry : r.inkTypes())
        detacher.collect(entry.second);
    detacher.makeStrokes();

    RecognitionResult result;
    result.setRoot(mapSegmentInk(r.root(), [&detacher](const InkRange &ink) {
        return detacher.detached(ink);
    }));
    result.setTransform(r.transform());
    result.layout() = r.layout();
    for (const TypedInk &entry : r.inkTypes())
        result.storeInkOfType(entry.first, detacher.detached(entry.second));
    return result;
}
