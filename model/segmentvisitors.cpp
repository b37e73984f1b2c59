#include "model/segmentvisitors.h"

namespace {

constexpr int symbolType = 5;

Segment boxedLeaf(const Segment &segment, int index, const QRectF &box, double value)
{
    StrokeStamp stamp = segment.ink().latestStamp();
    stamp.sequence += index;
    Stroke stroke = makeBoxStroke(box, value);
    stroke.setStamp(stamp);

    Segment leaf;
    leaf.appendCandidate(segment.selectedCandidate());
    leaf.setSelectedCandidate(0);
    leaf.setInk(InkRange::fromStroke(stroke));
    return leaf;
}

} // namespace

Segment mapChildSegments(const Segment &segment, SegmentVisitor callback, void *context)
{
    const ResultNode node = mapChildren(segment.selectedCandidate(), callback, context);
    Segment mapped;
    mapped.appendCandidate(node);
    mapped.setSelectedCandidate(0);
    for (const Segment &child : node.children())
        mapped.addInk(child.ink());
    return mapped;
}

Segment replaceLeafInkWithFittedBoxes(Segment *, int index, const Segment &segment,
                                      void *context)
{
    const int type = segment.selectedCandidate().type();
    if (type != ResultNode::Character && type != symbolType)
        return mapChildSegments(segment, replaceLeafInkWithFittedBoxes, context);
    return boxedLeaf(segment, index, segment.ink().boundingRect(), 0);
}

Segment replaceLeafInkWithBoxes(Segment *, int index, const Segment &segment, void *context)
{
    if (segment.selectedCandidate().type() != ResultNode::Character)
        return mapChildSegments(segment, replaceLeafInkWithBoxes, context);
    const auto *boxes = static_cast<const LeafBoxes *>(context);
    const double value =
        boxes && index >= 0 && index < boxes->values.size() ? boxes->values[index] : 0;
    const bool hasRect = boxes && index >= 0 && index < boxes->rects.size();
    const QRectF box = hasRect ? boxes->rects[index] : segment.ink().boundingRect();
    return boxedLeaf(segment, index, box, value);
}
