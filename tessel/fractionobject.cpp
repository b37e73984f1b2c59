#include "tessel/fractionobject.h"

namespace tessel {

double FractionObject::normalisingHeight(const ParseObject *numerator, const ParseObject *denominator)
{
    if (!denominator)
        return numerator->h;
    if (!numerator)
        return denominator->h;
    return (numerator->h * numerator->hw + denominator->h * denominator->hw)
            / (numerator->hw + denominator->hw);
}

FractionObject::FractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                               const ParseObject &bar, const ParseObject &denominator, double g,
                               double barY, CostCallback callback)
    : CompositeObject(objectRegion, {&numerator, &bar, &denominator})
{
    const ParseObject &n = numerator;
    const ParseObject &d = denominator;
    h = normalisingHeight(&n, &d);
    y = barY + 0.5 * h;
    sw = n.sw + d.sw;
    yw = 1.0;
    hw = n.hw + d.hw;
    const double h2 = sq(h);
    cost = n.cost + bar.cost + d.cost + g / h2;
    addConsistency(callback, sq(n.h - h) * n.sw * w.h / h2 + sq(d.h - h) * d.sw * w.h / h2);
}

void FractionObject::appendLabel(std::string &text) const
{
    text += "\\frac{";
    appendChildLabel(text, 0);
    text += "}{";
    appendChildLabel(text, 2);
    text += '}';
}

}
