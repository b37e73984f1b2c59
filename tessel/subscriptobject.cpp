#include "tessel/subscriptobject.h"

#include <algorithm>

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

Box SubscriptObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    return {0.0, std::min(a.minY, 0.5 * b.minY + 0.7), a.width() + 0.1 + 0.5 * b.width(),
            std::max(a.maxY, 0.5 * b.maxY + 0.7)};
}

void SubscriptObject::place(Ink &target, double x, double y, double s) const
{
    placeSlot(0, target, x, y, s);
    placeSlot(1, target, x + (slotBox(0).width() + 0.1) * s, y + 0.7 * s, 0.5 * s);
}

}
