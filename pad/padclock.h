#pragma once

#include "model/strokestamp.h"

#include <QTime>

class PadTimer;

// The time the pad controllers read: the stroke stamps' clock, or a frozen time that
// moves only when it is advanced. Advancing fires the pad timers that fall
// due, in the order they fall due, each at its own time. GUI thread only.
class PadClock
{
public:
    // The current time with the sequence number handed out last.
    static StrokeStamp now();
    static QTime time();

    static bool isFrozen();
    static void freeze(const QTime &time);
    static void advance(int ms);
    // Back to the wall clock; frozen timers still running are stopped.
    static void thaw();

private:
    friend class PadTimer;
    static qint64 frozenMsecs();
    static void addTimer(PadTimer *timer);
    static void removeTimer(PadTimer *timer);
};
