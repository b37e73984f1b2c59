#pragma once

#include "model/interval.h"
#include "model/stroke.h"

#include <QExplicitlySharedDataPointer>

struct InkLocation;
class StrokeRangePrivate;

// The points of one stroke as a sorted list of merged intervals.
// Implicitly shared.
class StrokeRange
{
public:
    StrokeRange();
    StrokeRange(const StrokeRange &other);
    StrokeRange &operator=(const StrokeRange &other);
    ~StrokeRange();

    Stroke stroke() const;
    void setStroke(const Stroke &stroke);
    IntervalList intervals() const;
    bool hasInterval() const;
    // An interval on a stroke that has points.
    bool hasInk() const;

    void addInterval(int first, int last);
    void addIntervals(const IntervalList &list);

    StrokeRange intersected(const StrokeRange &other) const;
    bool splitAt(const InkLocation &loc, StrokeRange *before, StrokeRange *after) const;

    // strokePairs is [source, mapped, source, mapped, ...], shared by all
    // pieces of one operation so that each stroke is mapped once.
    StrokeRange transformed(const QTransform &t, QList<Stroke> &strokePairs) const;
    // The piece on a stroke cut down to its points, every interval rebased;
    // firstPoints holds the source point where each cut of strokePairs
    // begins. The first piece met on a stroke decides the cut; a later
    // piece reaching outside every cut of its stroke gets a cut of its own.
    StrokeRange extracted(QList<Stroke> &strokePairs, QList<int> &firstPoints) const;
    StrokeRange withStamp(const StrokeStamp &stamp) const;

    void appendToPath(QPainterPath &path) const;

    bool operator==(const StrokeRange &other) const;
    bool operator!=(const StrokeRange &other) const { return !(*this == other); }

private:
    QExplicitlySharedDataPointer<StrokeRangePrivate> d;
};

// Divides an interval list at a location into the outputs (each optional);
// false when no interval holds the location's point, every interval then
// going before.
bool splitIntervalsAt(const InkLocation &loc, StrokeRange *before, StrokeRange *after,
                      const IntervalList &list);

Q_DECLARE_METATYPE(StrokeRange)
