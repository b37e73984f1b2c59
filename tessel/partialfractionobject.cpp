#include "tessel/partialfractionobject.h"

#include "tessel/fractionobject.h"

namespace tessel {

PartialFractionObject::PartialFractionObject(const Weights &w, const Region *objectRegion,
                                             const ParseObject &numerator, const ParseObject &bar,
                                             const ParseObject &denominator, double g, double barY,
                                             CostCallback callback)
    : CompositeObject(objectRegion, {&numerator, &bar, &denominator})
{
    const ParseObject &n = numerator;
    const ParseObject &d = denominator;
    h = FractionObject::normalisingHeight(&n, &d);
    y = barY + 0.5 * h;
    sw = n.sw + bar.sw + d.sw;
    yw = 1.0;
    hw = n.hw + d.hw;
    const double h2 = sq(h);
    cost = n.cost + bar.cost + d.cost + g / h2;
    addConsistency(callback, sq(n.h - h) * n.sw * w.h / h2 + sq(d.h - h) * d.sw * w.h / h2);
}

PartialFractionObject::PartialFractionObject(const Region *objectRegion, const ParseObject &bar,
                                             const ParseObject &part, bool partIsNumerator, double g,
                                             double barY, CostCallback callback)
    : CompositeObject(objectRegion, {partIsNumerator ? &part : nullptr, &bar,
                                     partIsNumerator ? nullptr : &part})
{
    h = part.h;
    y = barY + 0.5 * part.h;
    sw = bar.sw + part.sw;
    yw = 1.0;
    hw = part.hw;
    cost = bar.cost + part.cost + g / sq(part.h);
    if (callback)
        cost += callback(this);
    else
        cost *= 2.0;
}

void PartialFractionObject::appendLabel(std::string &text) const
{
    text += "\\frac{";
    appendChildLabel(text, 0);
    text += "}{";
    appendChildLabel(text, 2);
    text += '}';
}

}
