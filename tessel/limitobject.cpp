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

Box LimitObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    return {0.0, a.minY, a.width(), a.maxY + 0.1 + 0.5 * b.height()};
}

void LimitObject::place(Ink &target, double x, double y, double s) const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    placeSlot(0, target, x, y, s);
    placeSlot(1, target, x + 0.5 * (a.width() - 0.5 * b.width()) * s, y + (a.maxY + 0.1 - 0.5 * b.minY) * s,
              0.5 * s);
}

}
