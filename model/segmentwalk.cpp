#include "model/segmentwalk.h"

#include <cmath>

namespace {

ResultNode withFieldsOf(const ResultNode &node)
{
    ResultNode copy;
    copy.setLabel(node.label());
    copy.setScore(node.score());
    copy.setWordFlag(node.wordFlag());
    return copy;
}

// The index of the child whose ink centroid lies nearest to x; ties go to
// the earlier child; children without ink are never chosen.
int nearestChild(const QList<Segment> &children, double x)
{
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < children.size(); ++i) {
        const InkRange ink = children[i].ink();
        if (ink.isEmpty())
            continue;
        const double distance = std::abs(ink.centroid().x() - x);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Shares of the segment's own stroke ranges that none of the children
// holds, one share per child.
QList<InkRange> uncoveredShares(const Segment &segment, const QList<Segment> &children)
{
    QList<InkRange> shares(children.size());
    InkRange childrenInk;
    for (const Segment &child : children)
        childrenInk = childrenInk.united(child.ink());
    if (childrenInk.isEmpty())
        return shares;
    const QList<StrokeRange> covered = childrenInk.pieces();
    for (const StrokeRange &piece : segment.ink().pieces()) {
        if (covered.contains(piece))
            continue;
        const int target = nearestChild(children, piece.stroke().centroid().x());
        if (target >= 0)
            shares[target].add(piece);
    }
    return shares;
}

} // namespace

Segment visitSegments(const Segment &segment, int index, SegmentVisitor callback,
                      void *context)
{
    Segment storage;
    Segment produced = callback(&storage, index, segment, context);
    const InkRange ink = produced.ink();
    const bool sameInk = ink == segment.ink();
    const QList<ResultNode> candidates = segment.candidates();
    for (int i = 0; i < candidates.size(); ++i) {
        if (i == segment.selectedIndex())
            continue;
        produced.appendCandidate(sameInk ? candidates[i]
                                         : spreadInkOverChildren(candidates[i], ink));
    }
    return produced;
}

ResultNode mapChildren(const ResultNode &node, SegmentVisitor callback, void *context)
{
    ResultNode mapped = withFieldsOf(node);
    const QList<Segment> children = node.children();
    for (int i = 0; i < children.size(); ++i) {
        mapped.appendChild(visitSegments(children[i], i, callback, context));
        mapped.setLabel(QString());
    }
    return mapped;
}

ResultNode spreadInkOverChildren(const ResultNode &node, const InkRange &ink)
{
    ResultNode spread = withFieldsOf(node);
    const QList<StrokeRange> pieces = ink.pieces();
    int offset = 0;
    for (const Segment &child : node.children()) {
        const int n = child.selectedCandidate().label().size();
        QList<StrokeRange> share = pieces.mid(offset, n);
        if (share.isEmpty() && !pieces.isEmpty())
            share = {pieces.last()};
        InkRange childInk;
        for (const StrokeRange &piece : share)
            childInk.add(piece);
        spread.appendChild(child.rebuiltWithInk(childInk));
        offset += n;
    }
    return spread;
}

Segment mapSegmentInk(const Segment &segment,
                      const std::function<InkRange(const InkRange &)> &map)
{
    Segment mapped;
    mapped.setInk(map(segment.ink()));
    for (ResultNode candidate : segment.candidates()) {
        QList<Segment> children;
        for (const Segment &child : candidate.children())
            children << mapSegmentInk(child, map);
        candidate.setChildren(children);
        mapped.appendCandidate(candidate);
    }
    mapped.setSelectedCandidate(segment.selectedIndex());
    return mapped;
}

Segment restampSegment(const Segment &segment, const StrokeStamp &stamp)
{
    return mapSegmentInk(segment, [&stamp](const InkRange &ink) { return ink.withStamp(stamp); });
}

Segment rebuildSegmentTree(const Segment &segment, const InkRange &extraInk, bool distribute)
{
    Segment rebuilt;
    const QList<ResultNode> candidates = segment.candidates();
    for (int c = 0; c < candidates.size(); ++c) {
        const QList<Segment> children = candidates[c].children();
        const QList<InkRange> shares = distribute ? uncoveredShares(segment, children)
                                                  : QList<InkRange>(children.size());
        ResultNode node = withFieldsOf(candidates[c]);
        node.setType(candidates[c].type());
        for (int i = 0; i < children.size(); ++i) {
            const Segment child = rebuildSegmentTree(children[i], shares[i], distribute);
            node.appendChild(child);
            node.setLabel(QString());
            rebuilt.addInk(child.ink());
        }
        rebuilt.appendCandidate(node);
    }
    rebuilt.setSelectedCandidate(segment.selectedIndex());
    const QList<StrokeRange> have = rebuilt.ink().pieces();
    for (const StrokeRange &piece : segment.ink().pieces()) {
        if (!have.contains(piece))
            rebuilt.addStrokeRange(piece);
    }
    rebuilt.addInk(extraInk);
    return rebuilt;
}

RecognitionResult rebuildResultTree(const RecognitionResult &r, bool distribute)
{
    RecognitionResult rebuilt = r;
    rebuilt.setRoot(rebuildSegmentTree(r.root(), InkRange(), distribute));
    return rebuilt;
}
