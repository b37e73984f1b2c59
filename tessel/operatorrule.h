#pragma once

#include "tessel/threepartrule.h"

namespace tessel {

// Two operands left and right of a one-stroke operator.
class OperatorRule : public ThreePartRule
{
public:
    OperatorRule(int first, int op, int second, CostCallback callback)
        : ThreePartRule(first, op, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByX; }
    int maxMiddle() const override { return 1; }
    double layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const override;
    double normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, const ParseObject &c, double g,
                                       const Box &middle) const override;
};

}
