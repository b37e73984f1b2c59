#include "tessel/parenthesisobject.h"

namespace tessel {

ParenthesisObject::ParenthesisObject(const Weights &w, const Region *objectRegion, const ParseObject &open,
                                     const ParseObject &contents, const ParseObject &close, double g,
                                     CostCallback callback)
    : CompositeObject(objectRegion, {&open, &contents, &close})
{
    const ParseObject &a = open;
    const ParseObject &b = contents;
    const ParseObject &c = close;
    h = b.h;
    y = b.y;
    sw = a.sw + b.sw + c.sw;
    yw = b.yw;
    hw = b.hw;
    const double h2 = sq(h);
    cost = g / h2 + a.cost + b.cost + c.cost;
    // Each bracket's own cost counts in proportion to its squared height.
    if (1.0 / h2 != 1.0)
        cost += (a.cost * sq(a.h) + c.cost * sq(c.h)) / h2 - (a.cost + c.cost);

    const double m = 0.5 * (a.sw + c.sw);
    const double pair = 1.0 - kOperatorFactor;
    double penalty = kOperatorFactor * w.y0 * sq(a.y - y) * a.sw / h2;
    penalty += w.y0 * sq(b.y - y) * b.sw / h2;
    penalty += kOperatorFactor * w.y0 * sq(c.y - y) * c.sw / h2;
    penalty += kOperatorFactor * w.h * sq(a.h - h) * a.sw / h2;
    penalty += w.h * sq(b.h - h) * b.sw / h2;
    penalty += kOperatorFactor * w.h * sq(c.h - h) * c.sw / h2;
    penalty += pair * w.y0 * sq(a.y - c.y) * m / h2;
    penalty += pair * w.h * sq(a.h - c.h) * m / h2;
    addConsistency(callback, penalty);
}

void ParenthesisObject::appendLabel(std::string &text) const
{
    for (int i = 0; i < 3; ++i)
        appendChildLabel(text, i);
}

Box ParenthesisObject::layoutBox() const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    const Box z = slotBox(2);
    const double height = b.height() + 0.4;
    return {0.0, b.minY - 0.2, height / a.height() * a.width() + b.width() + height / z.height() * z.width(),
            b.maxY + 0.2};
}

// Each bracket is scaled to 0.4 units taller than the contents and centred on them.
void ParenthesisObject::place(Ink &target, double x, double y, double s) const
{
    const Box a = slotBox(0);
    const Box b = slotBox(1);
    const Box z = slotBox(2);
    const double height = b.height() + 0.4;
    const double kA = height / a.height();
    const double kZ = height / z.height();
    placeSlot(0, target, x, y + (b.centreY() - kA * a.centreY()) * s, kA * s);
    const double x1 = x + kA * a.width() * s;
    placeSlot(1, target, x1, y, s);
    placeSlot(2, target, x1 + b.width() * s, y + (b.centreY() - kZ * z.centreY()) * s, kZ * s);
}

}
