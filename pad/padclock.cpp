#include "pad/padclock.h"

#include "pad/padtimer.h"

#include <QList>

#include <limits>

namespace {

struct FrozenClock
{
    bool frozen = false;
    QTime origin;
    qint64 elapsed = 0;
    QList<PadTimer *> timers;
};

FrozenClock &frozenClock()
{
    static FrozenClock c;
    return c;
}

} // namespace

StrokeStamp PadClock::now()
{
    const FrozenClock &c = frozenClock();
    const StrokeStamp stamp = StrokeStamp::now();
    if (!c.frozen)
        return stamp;
    return StrokeStamp::atClock(c.origin.msecsSinceStartOfDay() + c.elapsed, stamp.sequence);
}

QTime PadClock::time()
{
    return now().time;
}

bool PadClock::isFrozen()
{
    return frozenClock().frozen;
}

void PadClock::freeze(const QTime &time)
{
    FrozenClock &c = frozenClock();
    c.frozen = true;
    c.origin = time;
    c.elapsed = 0;
}

void PadClock::advance(int ms)
{
    FrozenClock &c = frozenClock();
    if (!c.frozen)
        return;
    const qint64 target = c.elapsed + qMax(0, ms);
    for (;;) {
        PadTimer *next = nullptr;
        qint64 due = std::numeric_limits<qint64>::max();
        for (PadTimer *t : c.timers) {
            if (t->dueMsecs() < due) {
                due = t->dueMsecs();
                next = t;
            }
        }
        if (!next || due > target)
            break;
        c.elapsed = qMax(c.elapsed, due);
        next->fire();
    }
    c.elapsed = target;
}

void PadClock::thaw()
{
    FrozenClock &c = frozenClock();
    const QList<PadTimer *> timers = c.timers;
    for (PadTimer *t : timers)
        t->stop();
    c.frozen = false;
}

qint64 PadClock::frozenMsecs()
{
    return frozenClock().elapsed;
}

void PadClock::addTimer(PadTimer *timer)
{
    if (!frozenClock().timers.contains(timer))
        frozenClock().timers.append(timer);
}

void PadClock::removeTimer(PadTimer *timer)
{
    frozenClock().timers.removeAll(timer);
}
