#pragma once

#include <QTime>

// Creation time and process-wide sequence number of a stroke; identifies
// and orders strokes.
class StrokeStamp
{
public:
    QTime time;
    int sequence = 0;

    // The current time with the sequence number handed out last.
    static StrokeStamp now();
    // The current time with a newly drawn sequence number.
    static StrokeStamp fresh();

    StrokeStamp addMSecs(int ms) const;
    bool isLaterThan(const StrokeStamp &other) const;

    bool operator==(const StrokeStamp &other) const;
    bool operator!=(const StrokeStamp &other) const { return !(*this == other); }
};
