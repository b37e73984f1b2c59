#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A base with a lowered, smaller subscript.
class SubscriptObject : public CompositeObject
{
public:
    SubscriptObject(const Weights &w, const Region *objectRegion, const ParseObject &base,
                    const ParseObject &subscript, double g, CostCallback callback);

    ParseObject *clone() const override { return new SubscriptObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Subscript"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
