#include "tessel/partialfractionobject.h"

namespace tessel {

PartialFractionObject::PartialFractionObject(const Weights &w, const Region *objectRegion,
                                             const ParseObject &numerator, const ParseObject &bar,
                                             const ParseObject &denominator, double g, double barY,
                                             CostCallback callback)
    : FractionObject(w, objectRegion, numerator, bar, denominator, g, barY, bar.sw, callback)
{
}

PartialFractionObject::PartialFractionObject(const Region *objectRegion, const ParseObject &bar,
                                             const ParseObject &part, bool partIsNumerator, double g,
                                             double barY, CostCallback callback)
    : FractionObject(objectRegion, {partIsNumerator ? &part : nullptr, &bar,
                                    partIsNumerator ? nullptr : &part})
{
    h = part.h;
    y = barY + 0.5 * part.h;
    sw = bar.sw + part.sw;
    yw = 1.0;
    hw = part.hw;
    cost = bar.cost + part.cost + g / sq(part.h);
    // Without a callback the missing part doubles the cost.
    addConsistency(callback, cost);
}

}
