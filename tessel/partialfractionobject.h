#ifndef TESSEL_PARTIALFRACTIONOBJECT_H
#define TESSEL_PARTIALFRACTIONOBJECT_H

#include "tessel/compositeobject.h"

namespace tessel {

// A fraction that may lack its numerator or its denominator.
class PartialFractionObject : public CompositeObject
{
public:
    PartialFractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                          const ParseObject &bar, const ParseObject &denominator, double g, double barY,
                          CostCallback callback);
    PartialFractionObject(const Region *objectRegion, const ParseObject &bar, const ParseObject &part,
                          bool partIsNumerator, double g, double barY, CostCallback callback);

    ParseObject *clone() const override { return new PartialFractionObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "PartialFraction"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}

#endif
