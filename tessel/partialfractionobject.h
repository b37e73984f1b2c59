#pragma once

#include "tessel/fractionobject.h"

namespace tessel {

// A fraction that may lack its numerator or its denominator.
class PartialFractionObject : public FractionObject
{
public:
    PartialFractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                          const ParseObject &bar, const ParseObject &denominator, double g, double barY,
                          CostCallback callback);
    PartialFractionObject(const Region *objectRegion, const ParseObject &bar, const ParseObject &part,
                          bool partIsNumerator, double g, double barY, CostCallback callback);

    ParseObject *clone() const override { return new PartialFractionObject(*this); }
    const char *typeName() const override { return "PartialFraction"; }
};

}
