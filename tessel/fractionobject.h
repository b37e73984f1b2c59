#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A numerator over a bar over a denominator; the bar's strokes add no weight.
class FractionObject : public CompositeObject
{
public:
    FractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                   const ParseObject &bar, const ParseObject &denominator, double g, double barY,
                   CostCallback callback);

    ParseObject *clone() const override { return new FractionObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Fraction"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;

protected:
    // `barWeight` is the stroke weight the bar adds to the object.
    FractionObject(const Weights &w, const Region *objectRegion, const ParseObject &numerator,
                   const ParseObject &bar, const ParseObject &denominator, double g, double barY,
                   double barWeight, CostCallback callback);
    FractionObject(const Region *objectRegion, std::initializer_list<const ParseObject *> children)
        : CompositeObject(objectRegion, children)
    {
    }
};

}
