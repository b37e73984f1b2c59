#include "model/merging.h"

#include "model/charclasses.h"
#include "model/segmentwalk.h"

namespace {

// Leaves are never glued: joining two childless candidates would leave
// no candidate at all.
bool canGlue(const ResultNode &left, const ResultNode &right)
{
    return !left.children().isEmpty() && !right.children().isEmpty() && canJoin(left, right);
}

QList<Segment> seam(const QList<Segment> &left, const QList<Segment> &right, int depth)
{
    if (!left.isEmpty() && !right.isEmpty() && depth >= 1
        && canGlue(left.last().selectedCandidate(), right.first().selectedCandidate())) {
        return {joinSegments(left.last(), right.first(), depth - 1)};
    }
    QList<Segment> unglued;
    if (!left.isEmpty())
        unglued << left.last();
    if (!right.isEmpty())
        unglued << right.first();
    return unglued;
}

double mappedY(const QTransform &t, double y)
{
    return t.map(QPointF(0, y)).y();
}

ResultLayout transformedLayout(const ResultLayout &layout, const QTransform &t)
{
    ResultLayout mapped = layout;
    mapped.lineSpacing = mappedY(t, layout.lineSpacing) - mappedY(t, 0);
    for (double &position : mapped.linePositions)
        position = mappedY(t, position);
    return mapped;
}

ResultLayout mergedLayout(const ResultLayout &a, const ResultLayout &b, int lineCount)
{
    ResultLayout merged = a;
    if (merged.lineSpacing == 0.0)
        merged.lineSpacing = b.lineSpacing;
    merged.flags |= b.flags;
    if (merged.alignment == Qt::AlignCenter)
        merged.alignment = b.alignment;
    const int missing = qMax(0, lineCount - int(a.linePositions.size()));
    const int from = qMax(0, int(b.linePositions.size()) - missing);
    merged.linePositions << b.linePositions.mid(from);
    return merged;
}

} // namespace

Segment joinSegments(const Segment &a, const Segment &b, int depth)
{
    Segment joined;
    joined.addInk(a.ink());
    joined.addInk(b.ink());

    const ResultNode left = a.selectedCandidate();
    const ResultNode right = b.selectedCandidate();
    const QList<Segment> leftChildren = left.children();
    const QList<Segment> rightChildren = right.children();

    QList<Segment> children = leftChildren.mid(0, leftChildren.size() - 1);
    children << seam(leftChildren, rightChildren, depth) << rightChildren.mid(1);

    ResultNode node;
    node.setWordFlag(left.wordFlag() & right.wordFlag());
    node.setChildren(children);
    if (children.isEmpty())
        return joined;
    joined.appendCandidate(node);
    joined.setSelectedCandidate(0);
    return joined;
}

RecognitionResult transformResult(const RecognitionResult &r, const QTransform &t)
{
    if (t.type() == QTransform::TxNone)
        return r;
    QList<Stroke> strokePairs;
    RecognitionResult mapped;
    mapped.setRoot(mapSegmentInk(r.root(), [&](const InkRange &ink) {
        return ink.transformed(t, strokePairs);
    }));
    mapped.setTransform(r.transform());
    for (const TypedInk &entry : r.inkTypes())
        mapped.storeInkOfType(entry.first, entry.second.transformed(t, strokePairs));
    mapped.layout() = transformedLayout(r.layout(), t);
    return mapped;
}

RecognitionResult mergeResultInto(const RecognitionResult &a, const RecognitionResult &b,
                                  int depth)
{
    const RecognitionResult moved =
        transformResult(b, a.transform() * b.transform().inverted());
    RecognitionResult merged;
    merged.setTransform(a.transform());
    merged.setRoot(joinSegments(a.root(), moved.root(), depth));
    for (const QList<TypedInk> &entries : {moved.inkTypes(), a.inkTypes()}) {
        for (const TypedInk &entry : entries)
            merged = merged.withInkOfType(entry.first, entry.second, true);
    }
    merged.layout() = mergedLayout(a.layout(), moved.layout(), nonEmptyLineCount(merged.root()));
    return merged;
}

RecognitionResult mergeResults(const QList<RecognitionResult> &list, int depth)
{
    if (list.isEmpty())
        return RecognitionResult();
    RecognitionResult merged = list.first();
    for (int i = 1; i < list.size(); ++i)
        merged = mergeResultInto(merged, list[i], depth);
    return merged;
}
