#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A base with a raised, smaller exponent.
class SuperscriptObject : public CompositeObject
{
public:
    SuperscriptObject(const Weights &w, const Region *objectRegion, const ParseObject &base,
                      const ParseObject &exponent, double g, CostCallback callback);

    ParseObject *clone() const override { return new SuperscriptObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Superscript"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
