#include "tessel/sumobject.h"

namespace tessel {

double SumObject::normalisingHeight(const ParseObject &a, const ParseObject *sign, const ParseObject *c)
{
    if (!sign)
        return 0.5 * a.h;
    if (!c)
        return (a.h * a.hw + sign->h * sign->hw) / (0.5 * sign->hw + a.hw);
    return (a.h * a.hw + sign->h * sign->hw + c->h * c->hw) / (0.5 * (sign->hw + c->hw) + a.hw);
}

SumObject::SumObject(const Weights &w, const Region *objectRegion, const ParseObject &upper,
                     const ParseObject &sign, const ParseObject &lower, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&upper, &sign, &lower})
{
    const ParseObject &a = upper;
    const ParseObject &b = sign;
    const ParseObject &c = lower;
    h = normalisingHeight(a, &b, &c);
    y = b.y;
    sw = a.sw + b.sw + c.sw;
    yw = b.yw;
    hw = b.hw + 0.5 * (a.hw + c.hw);
    const double h2 = sq(h);
    cost = a.cost + b.cost + c.cost + g / h2;
    addConsistency(callback, kSecondaryFactor * w.h * sq(2.0 * a.h - h) * a.sw / h2
                                 + sq(b.h - h) * b.sw * w.h / h2
                                 + kSecondaryFactor * w.h * sq(2.0 * c.h - h) * c.sw / h2);
}

void SumObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 1);
    text += "_{";
    appendChildLabel(text, 2);
    text += "}^{";
    appendChildLabel(text, 0);
    text += '}';
}

}
