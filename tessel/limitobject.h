#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A main part with a smaller part below it.
class LimitObject : public CompositeObject
{
public:
    LimitObject(const Weights &w, const Region *objectRegion, const ParseObject &upper,
                const ParseObject &lower, double g, CostCallback callback);

    static double normalisingHeight(const ParseObject &a, const ParseObject *b);

    ParseObject *clone() const override { return new LimitObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Limit"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
