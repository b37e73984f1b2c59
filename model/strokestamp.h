#pragma once

#include <QTime>

// Creation time and process-wide sequence number of a stroke; identifies
// and orders strokes. The time is the time of day; the day counts the
// midnights passed since the stamp clock started, so that stamps keep
// their order across midnight.
class StrokeStamp
{
public:
    // Milliseconds since the midnight before the clock started.
    using Clock = qint64 (*)();

    QTime time;
    int sequence = 0;
    int day = 0;

    // The current time with the sequence number handed out last.
    static StrokeStamp now();
    // The current time with a newly drawn sequence number.
    static StrokeStamp fresh();
    // The stamp at the clock reading.
    static StrokeStamp atClock(qint64 msecs, int sequence);
    // Replaces the monotonic clock; nullptr restores it.
    static void setClock(Clock clock);

    // The clock reading of the stamp; 0 for a stamp without a time.
    qint64 clockMsecs() const;
    // Milliseconds from this stamp to the other; negative when it lies before.
    qint64 msecsTo(const StrokeStamp &other) const;

    StrokeStamp addMSecs(int ms) const;
    bool isLaterThan(const StrokeStamp &other) const;

    bool operator==(const StrokeStamp &other) const;
    bool operator!=(const StrokeStamp &other) const { return !(*this == other); }
};
