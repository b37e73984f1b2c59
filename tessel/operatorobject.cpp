#include "tessel/operatorobject.h"

namespace tessel {

double OperatorObject::normalisingHeight(const ParseObject &a, const ParseObject *op, const ParseObject *c)
{
    if (!op)
        return a.h;
    if (!op->hasFlag(HeightCounts))
        return meanHeight(a, c);
    if (!c)
        return meanHeight(a, op);
    return (a.h * a.hw + op->h * op->hw + c->h * c->hw) / (a.hw + op->hw + c->hw);
}

OperatorObject::OperatorObject(const Weights &w, const Region *objectRegion, const ParseObject &a,
                               const ParseObject &op, const ParseObject &c, double g,
                               CostCallback callback)
    : CompositeObject(objectRegion, {&a, &op, &c})
{
    const ParseObject &b = op;
    h = normalisingHeight(a, &b, &c);
    y = (a.y * a.yw + b.y * b.yw + c.y * c.yw) / (a.yw + b.yw + c.yw);
    sw = a.sw + b.sw + c.sw;
    yw = a.yw + b.yw + c.yw;
    hw = a.hw + b.hw + c.hw;
    const double h2 = sq(h);
    cost = a.cost + b.cost + c.cost + g / h2;

    const bool opHeight = b.hasFlag(HeightCounts);
    double penalty = sq(a.y - y) * a.sw * w.y0 / h2;
    penalty += sq(b.y - y) * b.sw * w.y0 / h2 * (opHeight ? kOperatorFactor : 1.0);
    penalty += sq(c.y - y) * c.sw * w.y0 / h2;
    penalty += sq(a.h - h) * a.sw * w.h / h2;
    if (opHeight)
        penalty += kOperatorFactor * w.h * sq(b.h - h) * b.sw / h2;
    penalty += sq(c.h - h) * c.sw * w.h / h2;
    addConsistency(callback, penalty);
}

void OperatorObject::appendLabel(std::string &text) const
{
    for (int i = 0; i < 3; ++i)
        appendChildLabel(text, i);
}

Box OperatorObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    const Box z = slotBox(2);
    Box u = a;
    u.unite(b);
    u.unite(z);
    return {0.0, u.minY, a.width() + 0.5 + b.width() + 0.5 + z.width(), u.maxY};
}

void OperatorObject::place(Ink &target, double x, double y, double s) const
{
    placeSlot(0, target, x, y, s);
    const double x1 = x + (slotBox(0).width() + 0.5) * s;
    placeSlot(1, target, x1, y, s);
    placeSlot(2, target, x1 + (slotBox(1).width() + 0.5) * s, y, s);
}

}
