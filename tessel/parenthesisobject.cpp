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

}
