#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// Two parts side by side on one line.
class HPairObject : public CompositeObject
{
public:
    HPairObject(const Weights &w, const Region *objectRegion, const ParseObject &a, const ParseObject &b,
                double g, CostCallback callback);

    // The height of the one part that has its height flagged, else the weighted mean.
    static double combinedHeight(const ParseObject &a, const ParseObject *b);

    ParseObject *clone() const override { return new HPairObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "HPair"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;

protected:
    HPairObject(const Region *objectRegion, const ParseObject &a, const ParseObject &b)
        : CompositeObject(objectRegion, {&a, &b})
    {
    }
};

}
