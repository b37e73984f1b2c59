#include "tessel/sigmaobject.h"

namespace tessel {

SigmaObject::SigmaObject(const Weights &w, const Region *objectRegion, const ParseObject &a,
                         const ParseObject &b, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&a, &b})
{
    h = (a.h * a.hw + b.h * b.hw) / (a.hw + b.hw);
    y = (a.y * a.yw + b.y * b.yw) / (a.yw + b.yw);
    sw = a.sw + b.sw;
    yw = a.yw + b.yw;
    hw = a.hw + b.hw;
    const double h2 = sq(h);
    cost = a.cost + b.cost + g / h2;
    addConsistency(callback, sq(a.y - y) * a.sw * w.y0 / h2 + sq(b.y - y) * b.sw * w.y0 / h2
                                 + sq(a.h - h) * a.sw * w.h / h2 + sq(b.h - h) * b.sw * w.h / h2);
}

void SigmaObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += '{';
    appendChildLabel(text, 1);
    text += '}';
}

Box SigmaObject::layoutBox() const
{
    const Box l = slotBox(0);
    const Box r = slotBox(1);
    Box u = l;
    u.unite(r);
    return {0.0, u.minY, l.width() + 0.2 + r.width(), u.maxY};
}

void SigmaObject::place(Ink &target, double x, double y, double s) const
{
    placeSlot(0, target, x, y, s);
    placeSlot(1, target, x + (slotBox(0).width() + 0.2) * s, y, s);
}

}
