#include "tessel/superscriptobject.h"

#include <algorithm>

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

Box SuperscriptObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box e = slotBox(1);
    return {0.0, std::min(a.minY, 0.5 * e.minY - 1.7), a.width() + 0.1 + 0.5 * e.width(),
            std::max(a.maxY, 0.5 * e.maxY - 1.7)};
}

void SuperscriptObject::place(Ink &target, double x, double y, double s) const
{
    placeSlot(0, target, x, y, s);
    placeSlot(1, target, x + (slotBox(0).width() + 0.1) * s, y - 1.7 * s, 0.5 * s);
}

}
