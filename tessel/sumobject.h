#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A summation sign with limits above and below.
class SumObject : public CompositeObject
{
public:
    SumObject(const Weights &w, const Region *objectRegion, const ParseObject &upper, const ParseObject &sign,
              const ParseObject &lower, double g, CostCallback callback);

    static double normalisingHeight(const ParseObject &a, const ParseObject *sign, const ParseObject *c);

    ParseObject *clone() const override { return new SumObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Sum"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
