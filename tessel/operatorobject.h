#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// Two operands with an operator between them.
class OperatorObject : public CompositeObject
{
public:
    OperatorObject(const Weights &w, const Region *objectRegion, const ParseObject &a, const ParseObject &op,
                   const ParseObject &c, double g, CostCallback callback);

    static double normalisingHeight(const ParseObject &a, const ParseObject *op, const ParseObject *c);

    ParseObject *clone() const override { return new OperatorObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Operator"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
