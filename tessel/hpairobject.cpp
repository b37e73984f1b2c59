#include "tessel/hpairobject.h"

namespace tessel {

double HPairObject::combinedHeight(const ParseObject &a, const ParseObject *b)
{
    if (!b)
        return a.h;
    const bool aCounts = a.hasFlag(HeightCounts);
    if (aCounts != b->hasFlag(HeightCounts))
        return aCounts ? a.h : b->h;
    return weightedMean(a.h, a.hw, b->h, b->hw);
}

HPairObject::HPairObject(const Weights &w, const Region *objectRegion, const ParseObject &a,
                         const ParseObject &b, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&a, &b})
{
    h = combinedHeight(a, &b);
    const bool aBase = a.hasFlag(Baseline);
    if (aBase != b.hasFlag(Baseline))
        y = aBase ? a.y : b.y;
    else
        y = weightedMean(a.y, a.yw, b.y, b.yw);
    sw = a.sw + b.sw;
    yw = a.yw + b.yw;
    hw = a.hw + b.hw;
    cost = a.cost + b.cost + g / sq(h);

    const double h2 = sq(h);
    double penalty = 0.0;
    for (const ParseObject *c : {&a, &b})
        if (c->hasFlag(Baseline))
            penalty += sq(c->y - y) * c->sw * w.y0 / h2;
    for (const ParseObject *c : {&a, &b})
        if (c->hasFlag(CentreLine))
            penalty += sq(c->y + h - y) * c->sw * w.y0 / h2;
    for (const ParseObject *c : {&a, &b})
        if (c->hasFlag(HeightCounts))
            penalty += sq(c->h - h) * c->sw * w.h / h2;
    for (const ParseObject *c : {&a, &b})
        if (c->hasFlag(Stretchable) && c->h < h)
            penalty += sq(c->h - h) * c->sw * w.h / h2;
    for (const ParseObject *c : {&a, &b})
        if (c->hasFlag(Shrinkable) && c->h > h)
            penalty += sq(c->h - h) * c->sw * w.h / h2;
    addConsistency(callback, penalty);
}

void HPairObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += '{';
    appendChildLabel(text, 1);
    text += '}';
}

Box HPairObject::layoutBox() const
{
    const Box l = slotBox(0);
    const Box r = slotBox(1);
    Box u = l;
    u.unite(r);
    return {0.0, u.minY, l.width() + 0.2 + r.width(), u.maxY};
}

void HPairObject::place(Ink &target, double x, double y, double s) const
{
    placeSlot(0, target, x, y, s);
    placeSlot(1, target, x + (slotBox(0).width() + 0.2) * s, y, s);
}

}
