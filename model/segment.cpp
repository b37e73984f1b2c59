#include "model/segment.h"

#include "model/segmentwalk.h"

#include <utility>

class SegmentPrivate : public QSharedData
{
public:
    InkRange ink;
    QList<ResultNode> candidates;
    int selected = -1;
};

namespace {

SegmentPrivate *sharedEmpty()
{
    static const QExplicitlySharedDataPointer<SegmentPrivate> empty(new SegmentPrivate);
    return empty.data();
}

bool isSkipped(Segment::WordFilter filter, const Segment &word)
{
    const ResultNode c = word.selectedCandidate();
    const bool blank = c.isSpace() || c.isNewLine();
    switch (filter) {
    case Segment::NoSpaces:
        return blank;
    case Segment::NoTyped:
        return word.ink().isAllOfKind(Stroke::PointRow);
    case Segment::OnlySpaces:
        return !blank;
    default:
        return false;
    }
}

} // namespace

Segment::Segment() : d(sharedEmpty()) {}
Segment::Segment(const Segment &other) = default;
Segment &Segment::operator=(const Segment &other) = default;
Segment::~Segment() = default;

InkRange Segment::ink() const { return d->ink; }

void Segment::setInk(const InkRange &ink)
{
    d.detach();
    d->ink = ink;
}

void Segment::addStrokeRange(const StrokeRange &piece)
{
    d.detach();
    d->ink.add(piece);
}

void Segment::addInk(const InkRange &ink)
{
    d.detach();
    d->ink = d->ink.united(ink);
}

QList<ResultNode> Segment::candidates() const { return d->candidates; }

void Segment::appendCandidate(const ResultNode &candidate)
{
    d.detach();
    d->candidates << candidate;
}

int Segment::selectedIndex() const { return d->selected; }

ResultNode Segment::selectedCandidate() const
{
    if (d->selected >= 0 && d->selected < d->candidates.size())
        return d->candidates.at(d->selected);
    return ResultNode();
}

bool Segment::setSelectedCandidate(int index)
{
    d.detach();
    d->selected = (index >= 0 && index < d->candidates.size()) ? index : -1;
    return d->selected != -1;
}

bool Segment::selectLastCandidate()
{
    d.detach();
    d->selected = d->candidates.size() - 1;
    return !d->candidates.isEmpty();
}

QList<Segment> Segment::segmentsOfType(int type) const
{
    if (d->candidates.isEmpty())
        return {};
    const ResultNode selected = selectedCandidate();
    if (selected.type() == type)
        return {*this};
    QList<Segment> found;
    for (const Segment &child : selected.children())
        found << child.segmentsOfType(type);
    return found;
}

Segment Segment::nthSegmentMatching(int index, WordFilter matchFilter, int *countOut,
                                    WordFilter countFilter) const
{
    int matches = -1;
    int counted = -1;
    Segment result;
    bool walked = false;
    for (const Segment &line : selectedCandidate().children()) {
        for (const Segment &word : line.selectedCandidate().children()) {
            walked = true;
            const bool labelled = !word.selectedCandidate().label().isEmpty();
            if (!isSkipped(matchFilter, word)) {
                result = word;
                if (labelled)
                    ++matches;
            }
            if (!isSkipped(countFilter, word) && labelled)
                ++counted;
            if (index >= 0 && matches == index) {
                if (countOut)
                    *countOut = counted;
                return result;
            }
        }
    }
    if (index < 0 && walked) {
        if (countOut)
            *countOut = counted;
        return result;
    }
    if (countOut)
        *countOut = -1;
    return Segment();
}

Segment Segment::rebuiltWithInk(const InkRange &ink) const
{
    Segment rebuilt;
    rebuilt.d.detach();
    for (const ResultNode &candidate : std::as_const(d->candidates)) {
        const ResultNode spread = spreadInkOverChildren(candidate, ink);
        rebuilt.d->candidates << spread;
        const QList<Segment> children = spread.children();
        // A leaf keeps the ink it is given.
        if (children.isEmpty())
            rebuilt.d->ink = rebuilt.d->ink.united(ink);
        for (const Segment &child : children)
            rebuilt.d->ink = rebuilt.d->ink.united(child.ink());
    }
    if (d->candidates.isEmpty())
        rebuilt.d->ink = ink;
    rebuilt.d->selected = d->selected;
    return rebuilt;
}

bool Segment::operator==(const Segment &other) const
{
    if (d == other.d)
        return true;
    return d->ink == other.d->ink && d->candidates == other.d->candidates;
}

bool splitInkAt(const InkLocation &loc, Segment *before, Segment *after,
                const QList<StrokeRange> &pieces)
{
    if (before)
        *before = Segment();
    if (after)
        *after = Segment();
    int i = 0;
    for (; i < pieces.size(); ++i) {
        StrokeRange head, tail;
        if (pieces[i].splitAt(loc, before ? &head : nullptr, after ? &tail : nullptr)) {
            if (before && head.hasInk())
                before->addStrokeRange(head);
            if (after && tail.hasInk())
                after->addStrokeRange(tail);
            break;
        }
        if (before)
            before->addStrokeRange(pieces[i]);
    }
    if (i == pieces.size())
        return false;
    if (after) {
        for (++i; i < pieces.size(); ++i)
            after->addStrokeRange(pieces[i]);
    }
    return true;
}
