#include "tessel/fractionobject.h"

namespace tessel {

FractionObject::FractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                               const ParseObject &bar, const ParseObject &denominator, double g,
                               double barY, CostCallback callback)
    : FractionObject(w, objectRegion, numerator, bar, denominator, g, barY, 0.0, callback)
{
}

FractionObject::FractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                               const ParseObject &bar, const ParseObject &denominator, double g,
                               double barY, double barWeight, CostCallback callback)
    : CompositeObject(objectRegion, {&numerator, &bar, &denominator})
{
    const ParseObject &n = numerator;
    const ParseObject &d = denominator;
    h = meanHeight(n, &d);
    y = barY + 0.5 * h;
    sw = n.sw + barWeight + d.sw;
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

Box FractionObject::layoutBox() const
{
    const Box n = slotBox(0);
    const Box d = slotBox(2);
    Box u = n;
    u.unite(d);
    return {0.0, -0.75 - n.height(), u.width(), d.height() - 0.25};
}

// The bar, one unit wide at y = -0.5 in its template, is stretched to the wider part.
void FractionObject::place(Ink &target, double x, double y, double s) const
{
    const Box n = slotBox(0);
    const Box d = slotBox(2);
    Box u = n;
    u.unite(d);
    const double w = u.width();
    placeSlot(0, target, x + 0.5 * (w - n.width()) * s, y - (n.maxY + 0.75) * s, s);
    placeSlot(1, target, x, y + 0.5 * (w - 1.0) * s, w * s);
    placeSlot(2, target, x + 0.5 * (w - d.width()) * s, y - (d.minY + 0.25) * s, s);
}

}
