#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// A radical sign over its radicand.
class SqrtObject : public CompositeObject
{
public:
    SqrtObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
               const ParseObject &radicand, double g, CostCallback callback);

    ParseObject *clone() const override { return new SqrtObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Sqrt"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
