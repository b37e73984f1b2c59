#pragma once

#include "pad/padclock.h"
#include "tests/fixedstampclock.h"

#include <QTime>

// Freezes the pad clock and the stroke stamps' clock together while it lives: ink ages and
// pad timers fall due only when the test advances the time.
class FrozenPadClock
{
public:
    explicit FrozenPadClock(const QTime &start = QTime(10, 0))
        : m_msecs(start.msecsSinceStartOfDay()), m_stamps(m_msecs)
    {
        PadClock::freeze(start);
    }
    ~FrozenPadClock() { PadClock::thaw(); }
    FrozenPadClock(const FrozenPadClock &) = delete;
    FrozenPadClock &operator=(const FrozenPadClock &) = delete;

    void advance(int ms)
    {
        m_msecs += ms;
        m_stamps.set(m_msecs);
        PadClock::advance(ms);
    }

private:
    qint64 m_msecs;
    FixedStampClock m_stamps;
};
