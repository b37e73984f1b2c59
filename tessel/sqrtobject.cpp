#include "tessel/sqrtobject.h"

#include "tessel/ink.h"
#include "tessel/region.h"
#include "tessel/strokerecord.h"

namespace tessel {

SqrtObject::SqrtObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
                       const ParseObject &radicand, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&sign, &radicand})
{
    const ParseObject &r = radicand;
    h = r.h;
    y = r.y;
    sw = sign.sw + r.sw;
    yw = r.yw;
    hw = r.hw;
    const double h2 = sq(h);
    cost = sign.cost + r.cost + g / h2;

    const Box &S = sign.region->box();
    const Box &R = r.region->box();
    const double penalty = w.shortfall((R.maxX - S.maxX) * 0.5)
            + w.excess(R.minY - 0.1 * S.height() - S.minY) + w.shortfall(R.maxY - S.maxY);
    addConsistency(callback, penalty / h2);
}

void SqrtObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, 0);
    text += '{';
    appendChildLabel(text, 1);
    text += '}';
}

Box SqrtObject::layoutBox() const
{
    const Box r = slotBox(1);
    return {0.0, r.minY - 0.25, r.width() + 1.25, r.maxY};
}

// The radical sign is drawn anew over the radicand; the sign child is not used.
void SqrtObject::place(Ink &target, double x, double y, double s) const
{
    const Box box = layoutBox();
    const double cy = (box.minY + box.maxY) * 0.5;
    Stroke sign;
    sign.addPoint({x, y + cy * s});
    sign.addPoint({x + 0.75 * s, y + box.maxY * s});
    sign.addPoint({x + 0.75 * s, y + box.minY * s});
    sign.addPoint({x + box.width() * s, y + box.minY * s});
    sign.resample(StrokeRecord::kPoints);
    target.addStroke(sign);
    placeSlot(1, target, x + s, y, s);
}

}
