#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// Two parts side by side, left to right.
class HPairRule : public TwoPartRule
{
public:
    HPairRule(int first, int second, CostCallback callback)
        : TwoPartRule(first, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByX; }
    double normalisingHeight(const ParseObject &a, const ParseObject *b) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const override;
};

}
