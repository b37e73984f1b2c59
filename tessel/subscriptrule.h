#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// A base and a subscript down and to its right.
class SubscriptRule : public TwoPartRule
{
public:
    SubscriptRule(int first, int second, CostCallback callback)
        : TwoPartRule(first, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByXPlusY; }
    double normalisingHeight(const ParseObject &a, const ParseObject *b) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const override;
};

}
