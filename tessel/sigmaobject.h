#pragma once

#include "tessel/hpairobject.h"

namespace tessel {

// Two parts side by side, compared without regard to their flags.
class SigmaObject : public HPairObject
{
public:
    SigmaObject(const Weights &w, const Region *objectRegion, const ParseObject &a, const ParseObject &b,
                double g, CostCallback callback);

    ParseObject *clone() const override { return new SigmaObject(*this); }
    const char *typeName() const override { return "Sigma"; }
};

}
