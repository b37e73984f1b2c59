#include "tessel/limitobject.h"

namespace tessel {

double LimitObject::normalisingHeight(const ParseObject &a, const ParseObject *b)
{
    if (!b)
        return a.h;
    return (a.h * a.hw + b->h * b->hw) / (0.5 * b->hw + a.hw);
}

LimitObject::LimitObject(const Weights &w, const Region *objectRegion, const ParseObject &upper,
                         const ParseObject &lower, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&upper, &lower})
{
    const ParseObject &a = upper;
    const ParseObject &b = lower;
    h = normalisingHeight(a, &b);
    y = a.y;
    sw = a.sw + b.sw;
    yw = a.yw;
    hw = a.hw + 0.5 * b.hw;
    const double h2 = sq(h);
    cost = a.cost + b.cost + g / h2;
    addConsistency(callback, sq(a.h - h) * a.sw * w.h / h2
                                 + kSecondaryFactor * w.h * sq(2.0 * b.h - h) * b.sw / h2);
}

void LimitObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += "_{";
    appendChildLabel(text, 1);
    text += '}';
}

}
