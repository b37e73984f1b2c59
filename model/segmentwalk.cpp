#include "model/segmentwalk.h"

namespace {

ResultNode withFieldsOf(const ResultNode &node)
{
    ResultNode copy;
    copy.setLabel(node.label());
    copy.setScore(node.score());
    copy.setWordFlag(node.wordFlag());
    return copy;
}

} // namespace

ResultNode spreadInkOverChildren(const ResultNode &node, const InkRange &ink)
{
    ResultNode spread = withFieldsOf(node);
    const QList<StrokeRange> pieces = ink.pieces();
    int offset = 0;
    for (const Segment &child : node.children()) {
        const int n = child.selectedCandidate().label().size();
        QList<StrokeRange> share = pieces.mid(offset, qMax(n, 0));
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
