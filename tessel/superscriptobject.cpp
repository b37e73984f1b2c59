#include "tessel/superscriptobject.h"

namespace tessel {

SuperscriptObject::SuperscriptObject(const Weights &w, const Region *objectRegion, const ParseObject &base,
                                     const ParseObject &exponent, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&base, &exponent})
{
    const ParseObject &a = base;
    const ParseObject &e = exponent;
    h = a.h;
    y = a.hasFlag(CentreLine) ? a.y + 0.5 * a.h : a.y;
    sw = a.sw + e.sw;
    yw = a.yw;
    hw = a.hw;
    const double h2 = sq(h);
    cost = a.cost + e.cost + g / h2;

    double penalty = 0.0;
    if (a.hasFlag(Baseline))
        penalty += sq(a.y - y) * a.sw * w.y0 / h2;
    if (a.hasFlag(CentreLine))
        penalty += sq(a.y + 0.5 * h - y) * a.sw * w.y0 / h2;
    if (e.hasFlag(Baseline))
        penalty += kSecondaryFactor * w.y0 * sq(e.y + 1.7 * h - y) * e.sw / h2;
    if (e.hasFlag(CentreLine))
        penalty += kSecondaryFactor * w.y0 * sq(e.y + 2.2 * h - y) * e.sw / h2;
    penalty += kSecondaryFactor * w.h * sq(2.0 * e.h - h) * e.sw / h2;
    addConsistency(callback, penalty);
}

void SuperscriptObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += "^{";
    appendChildLabel(text, 1);
    text += '}';
}

}
