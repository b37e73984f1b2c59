#include "model/strokerange.h"

#include "model/inklocation.h"

#include <utility>

class StrokeRangePrivate : public QSharedData
{
public:
    Stroke stroke;
    IntervalList intervals;
};

namespace {

StrokeRangePrivate *sharedEmpty()
{
    static const QExplicitlySharedDataPointer<StrokeRangePrivate> empty(
        new StrokeRangePrivate);
    return empty.data();
}

// Index of the source stroke in a pair list, or -1.
int sourceIndex(const QList<Stroke> &strokePairs, const Stroke &stroke)
{
    for (int k = 0; k + 1 < strokePairs.size(); k += 2) {
        if (strokePairs[k] == stroke)
            return k;
    }
    return -1;
}

// The index in strokePairs of a source whose cut-down stroke holds the
// points first .. last of source; -1 when none does.
int holdingPair(const QList<Stroke> &strokePairs, const QList<int> &firstPoints,
                const Stroke &source, int first, int last)
{
    for (int k = 0; k + 1 < strokePairs.size(); k += 2) {
        const int base = firstPoints.value(k / 2);
        if (strokePairs[k] == source && first >= base
            && last - base < strokePairs[k + 1].path().elementCount())
            return k;
    }
    return -1;
}

} // namespace

StrokeRange::StrokeRange() : d(sharedEmpty()) {}
StrokeRange::StrokeRange(const StrokeRange &other) = default;
StrokeRange &StrokeRange::operator=(const StrokeRange &other) = default;
StrokeRange::~StrokeRange() = default;

Stroke StrokeRange::stroke() const { return d->stroke; }

void StrokeRange::setStroke(const Stroke &stroke)
{
    d.detach();
    d->stroke = stroke;
}

IntervalList StrokeRange::intervals() const { return d->intervals; }
bool StrokeRange::hasInterval() const { return !d->intervals.isEmpty(); }

bool StrokeRange::hasInk() const
{
    return hasInterval() && d->stroke.path().elementCount() > 0;
}

void StrokeRange::addInterval(int first, int last)
{
    d.detach();
    d->intervals = mergeInterval(d->intervals, {first, last});
}

void StrokeRange::addIntervals(const IntervalList &list)
{
    for (const Interval &i : list)
        addInterval(i.first, i.last);
}

StrokeRange StrokeRange::intersected(const StrokeRange &other) const
{
    if (d->stroke != other.d->stroke)
        return StrokeRange();
    StrokeRange common;
    common.setStroke(d->stroke);
    for (const Interval &i : other.d->intervals)
        common.addIntervals(intervalsWithin(i, d->intervals));
    return common;
}

bool StrokeRange::splitAt(const InkLocation &loc, StrokeRange *before,
                          StrokeRange *after) const
{
    if (loc.stroke != d->stroke) {
        if (before)
            *before = *this;
        return false;
    }
    const bool held = splitIntervalsAt(loc, before, after, d->intervals);
    if (before)
        before->setStroke(d->stroke);
    if (after)
        after->setStroke(d->stroke);
    return held;
}

StrokeRange StrokeRange::transformed(const QTransform &t, QList<Stroke> &strokePairs) const
{
    int k = sourceIndex(strokePairs, d->stroke);
    if (k < 0) {
        k = strokePairs.size();
        strokePairs << d->stroke << strokeTransformed(d->stroke, t);
    }
    StrokeRange result = *this;
    result.setStroke(strokePairs[k + 1]);
    return result;
}

StrokeRange StrokeRange::extracted(QList<Stroke> &strokePairs, QList<int> &firstPoints) const
{
    if (d->intervals.isEmpty())
        return StrokeRange();
    const int first = d->intervals.constFirst().first;
    const int last = qMin(d->intervals.constLast().last, d->stroke.path().elementCount() - 1);
    int k = holdingPair(strokePairs, firstPoints, d->stroke, first, last);
    if (k < 0) {
        k = strokePairs.size();
        strokePairs << d->stroke << d->stroke.subStroke(first, last);
        firstPoints << first;
    }
    const int base = firstPoints.value(k / 2);
    StrokeRange result;
    result.setStroke(strokePairs[k + 1]);
    for (const Interval &i : std::as_const(d->intervals))
        result.addInterval(i.first - base, i.last - base);
    return result;
}

StrokeRange StrokeRange::withStamp(const StrokeStamp &stamp) const
{
    Stroke stamped = d->stroke;
    stamped.setStamp(stamp);
    StrokeRange result = *this;
    result.setStroke(stamped);
    return result;
}

void StrokeRange::appendToPath(QPainterPath &path) const
{
    if (d->stroke.kind() == Stroke::PointRow)
        return;
    const QPainterPath source = d->stroke.path();
    const int count = source.elementCount();
    for (const Interval &i : std::as_const(d->intervals)) {
        if (i.first < 0 || i.first >= count)
            continue;
        path.moveTo(source.elementAt(i.first));
        const int end = qMin(i.last + 1, count);
        for (int p = i.first + 1; p < end; ++p)
            path.lineTo(source.elementAt(p));
    }
}

bool StrokeRange::operator==(const StrokeRange &other) const
{
    if (d == other.d)
        return true;
    return d->intervals == other.d->intervals && d->stroke == other.d->stroke;
}

bool splitIntervalsAt(const InkLocation &loc, StrokeRange *before, StrokeRange *after,
                      const IntervalList &list)
{
    if (before)
        *before = StrokeRange();
    if (after)
        *after = StrokeRange();
    int i = 0;
    Interval head, tail;
    for (; i < list.size(); ++i) {
        if (splitInterval(list[i], loc, &head, &tail))
            break;
        if (before)
            before->addInterval(list[i].first, list[i].last);
    }
    if (i == list.size())
        return false;
    if (before)
        before->addInterval(head.first, head.last);
    if (after) {
        after->addInterval(tail.first, tail.last);
        for (++i; i < list.size(); ++i)
            after->addInterval(list[i].first, list[i].last);
    }
    return true;
}
