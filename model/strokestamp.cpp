#include "model/strokestamp.h"

#include <QElapsedTimer>

#include <atomic>

namespace {

constexpr qint64 MSecsPerDay = 24 * 60 * 60 * 1000;

// Strokes are made in the GUI thread and in recognizer threads.
std::atomic<int> nextSequence{0};
std::atomic<int> lastSequence{0};
std::atomic<StrokeStamp::Clock> injectedClock{nullptr};

int drawSequence()
{
    const int s = nextSequence.fetch_add(1);
    int last = lastSequence.load();
    while (last < s && !lastSequence.compare_exchange_weak(last, s)) {
    }
    return s;
}

// The time of day at start-up carried on by a monotonic timer: it neither
// wraps at midnight nor jumps when the wall clock is set.
qint64 monotonicClock()
{
    struct Start
    {
        qint64 timeOfDay = QTime::currentTime().msecsSinceStartOfDay();
        QElapsedTimer timer;
        Start() { timer.start(); }
    };
    static const Start start;
    return start.timeOfDay + start.timer.elapsed();
}

qint64 clockNow()
{
    const StrokeStamp::Clock clock = injectedClock.load();
    return clock ? clock() : monotonicClock();
}

} // namespace

StrokeStamp StrokeStamp::now()
{
    return atClock(clockNow(), lastSequence.load());
}

StrokeStamp StrokeStamp::fresh()
{
    const int s = drawSequence();
    return atClock(clockNow(), s);
}

StrokeStamp StrokeStamp::atClock(qint64 msecs, int sequence)
{
    qint64 day = msecs / MSecsPerDay;
    qint64 rest = msecs % MSecsPerDay;
    if (rest < 0) {
        rest += MSecsPerDay;
        --day;
    }
    return {QTime::fromMSecsSinceStartOfDay(int(rest)), sequence, int(day)};
}

void StrokeStamp::setClock(Clock clock)
{
    injectedClock.store(clock);
}

qint64 StrokeStamp::clockMsecs() const
{
    return day * MSecsPerDay + time.msecsSinceStartOfDay();
}

qint64 StrokeStamp::msecsTo(const StrokeStamp &other) const
{
    return other.clockMsecs() - clockMsecs();
}

StrokeStamp StrokeStamp::addMSecs(int ms) const
{
    if (!time.isValid())
        return *this;
    return atClock(clockMsecs() + ms, sequence);
}

bool StrokeStamp::isLaterThan(const StrokeStamp &other) const
{
    const qint64 a = clockMsecs();
    const qint64 b = other.clockMsecs();
    return a > b || (a == b && sequence > other.sequence);
}

bool StrokeStamp::operator==(const StrokeStamp &other) const
{
    return sequence == other.sequence && time == other.time && day == other.day;
}
