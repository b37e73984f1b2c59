#pragma once

#include "model/strokestamp.h"

// Stands in for the stroke stamps' clock while it lives: stamps made meanwhile read the time
// last set, in milliseconds since the clock's first midnight.
class FixedStampClock
{
public:
    explicit FixedStampClock(qint64 msecs)
    {
        set(msecs);
        StrokeStamp::setClock(&FixedStampClock::read);
    }
    ~FixedStampClock() { StrokeStamp::setClock(nullptr); }
    FixedStampClock(const FixedStampClock &) = delete;
    FixedStampClock &operator=(const FixedStampClock &) = delete;

    void set(qint64 msecs) { reading() = msecs; }

private:
    static qint64 &reading()
    {
        static qint64 msecs = 0;
        return msecs;
    }
    static qint64 read() { return reading(); }
};
