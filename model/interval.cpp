#include "model/interval.h"

#include "model/inklocation.h"

IntervalList mergeInterval(IntervalList list, const Interval &interval)
{
    if (interval.isEmpty())
        return list;
    int i = 0;
    while (i < list.size() && list[i].first <= interval.first)
        ++i;
    list.insert(i, interval);
    if (i > 0)
        --i;
    while (i < list.size() - 1) {
        if (list[i].last + 1 >= list[i + 1].first) {
            list[i].last = qMax(list[i].last, list[i + 1].last);
            list.removeAt(i + 1);
        } else {
            ++i;
        }
    }
    return list;
}

IntervalList removeInterval(IntervalList list, const Interval &interval)
{
    if (interval.isEmpty() || list.isEmpty())
        return list;
    list = mergeInterval(list, interval);
    int j = 0;
    while (list[j].last < interval.last)
        ++j;
    const Interval holder = list.takeAt(j);
    if (interval.last < holder.last)
        list.insert(j, {interval.last + 1, holder.last});
    if (holder.first < interval.first)
        list.insert(j, {holder.first, interval.first - 1});
    return list;
}

IntervalList intervalsWithin(const Interval &interval, const IntervalList &list)
{
    IntervalList outside{interval};
    for (const Interval &i : list)
        outside = removeInterval(outside, i);
    IntervalList inside{interval};
    for (const Interval &i : outside)
        inside = removeInterval(inside, i);
    return inside;
}

int pointCount(const IntervalList &list)
{
    int count = 0;
    for (const Interval &i : list) {
        if (!i.isEmpty())
            count += i.last - i.first + 1;
    }
    return count;
}

bool splitInterval(const Interval &interval, const InkLocation &loc, Interval *before,
                   Interval *after)
{
    const int p = loc.point;
    const int a = interval.first;
    const int b = interval.last;
    if (p < a || p > b)
        return false;
    if (before) {
        if (a < p)
            *before = {a, p};
        else
            *before = (a == b && !loc.isStart) ? Interval{p, p} : Interval();
    }
    if (after) {
        if (p < b)
            *after = {p, b};
        else
            *after = (a == b && loc.isStart) ? Interval{p, p} : Interval();
    }
    return true;
}
