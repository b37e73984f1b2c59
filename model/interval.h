#pragma once

#include <QList>

struct InkLocation;

// The point indices first .. last of one stroke; first > last is empty.
struct Interval
{
    int first = 0;
    int last = -1;

    bool isEmpty() const { return first > last; }
    bool operator==(const Interval &other) const
    {
        return first == other.first && last == other.last;
    }
    bool operator!=(const Interval &other) const { return !(*this == other); }
};
Q_DECLARE_TYPEINFO(Interval, Q_PRIMITIVE_TYPE);

// Sorted by first, no two intervals overlapping or touching.
using IntervalList = QList<Interval>;

IntervalList mergeInterval(IntervalList list, const Interval &interval);
IntervalList removeInterval(IntervalList list, const Interval &interval);
IntervalList intervalsWithin(const Interval &interval, const IntervalList &list);
int pointCount(const IntervalList &list);
// Divides an interval at the location's point; false when the point lies
// outside. A point strictly inside belongs to both halves.
bool splitInterval(const Interval &interval, const InkLocation &loc, Interval *before,
                   Interval *after);
