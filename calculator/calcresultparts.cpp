#include "calculator/calcresultparts.h"

QList<Segment> collectResultSegments(const Segment &segment, const InkRange &ink)
{
    if (ink.contains(segment.ink()))
        return {segment};
    QList<Segment> found;
    for (const Segment &child : segment.selectedCandidate().children())
        found << collectResultSegments(child, ink);
    return found;
}
