#include "tessel/subscriptobject.h"

namespace tessel {

SubscriptObject::SubscriptObject(const Weights &w, const Region *objectRegion, const ParseObject &base,
                                 const ParseObject &subscript, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&base, &subscript})
{
    const ParseObject &s = subscript;
    h = base.h;
    y = base.y;
    sw = base.sw + s.sw;
    yw = base.yw;
    hw = base.hw;
    const double h2 = sq(h);
    cost = base.cost + s.cost + g / h2;
    addConsistency(callback, kSecondaryFactor * w.y0 * sq(s.y - 0.7 * h - y) * s.sw / h2
                                 + kSecondaryFactor * w.h * sq(2.0 * s.h - h) * s.sw / h2);
}

void SubscriptObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += '_';
    appendChildLabel(text, 1);
}

}
