#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// A main part above a secondary part that spans it.
class LimitRule : public TwoPartRule
{
public:
    LimitRule(int first, int second, CostCallback callback)
        : TwoPartRule(first, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByY; }
    double layoutPenalty(const Weights &w, const Box &a, const Box &b) const override;
    double normalisingHeight(const ParseObject &a, const ParseObject *b) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const override;
};

}
