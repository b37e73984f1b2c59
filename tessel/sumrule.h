#pragma once

#include "tessel/threepartrule.h"

namespace tessel {

// An upper limit over a sign of one to three strokes over a lower limit.
class SumRule : public ThreePartRule
{
public:
    SumRule(int upper, int sign, int lower, CostCallback callback)
        : ThreePartRule(upper, sign, lower, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByY; }
    int maxMiddle() const override { return 3; }
    double layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const override;
    double normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, const ParseObject &c, double g,
                                       const Box &middle) const override;
};

}
