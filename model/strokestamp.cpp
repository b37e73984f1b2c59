#include "model/strokestamp.h"

#include <atomic>

namespace {

// Strokes are made in the GUI thread and in recognizer threads.
std::atomic<int> nextSequence{0};
std::atomic<int> lastSequence{0};

int drawSequence()
{
    const int s = nextSequence.fetch_add(1);
    int last = lastSequence.load();
    while (last < s && !lastSequence.compare_exchange_weak(last, s)) {
    }
    return s;
}

} // namespace

StrokeStamp StrokeStamp::now()
{
    return {QTime::currentTime(), lastSequence.load()};
}

StrokeStamp StrokeStamp::fresh()
{
    const int s = drawSequence();
    return {QTime::currentTime(), s};
}

StrokeStamp StrokeStamp::addMSecs(int ms) const
{
    return {time.addMSecs(ms), sequence};
}

bool StrokeStamp::isLaterThan(const StrokeStamp &other) const
{
    const int a = time.msecsSinceStartOfDay();
    const int b = other.time.msecsSinceStartOfDay();
    return a > b || (a == b && sequence > other.sequence);
}

bool StrokeStamp::operator==(const StrokeStamp &other) const
{
    return sequence == other.sequence && time == other.time;
}
