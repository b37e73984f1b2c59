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

Box SumObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    const Box z = slotBox(2);
    return {0.0, b.minY - 0.1 - 0.5 * a.height(), b.width(), b.maxY + 0.1 + 0.5 * z.height()};
}

void SumObject::place(Ink &target, double x, double y, double s) const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    const Box z = slotBox(2);
    placeSlot(0, target, x + 0.5 * (b.width() - 0.5 * a.width()) * s, y + (b.minY - 0.1 - 0.5 * a.maxY) * s,
              0.5 * s);
    placeSlot(1, target, x, y, s);
    placeSlot(2, target, x + 0.5 * (b.width() - 0.5 * z.width()) * s, y + (b.maxY + 0.1 - 0.5 * z.minY) * s,
              0.5 * s);
}

}
