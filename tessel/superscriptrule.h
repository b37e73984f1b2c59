#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// A base and an exponent up and to its right.
class SuperscriptRule : public TwoPartRule
{
public:
    SuperscriptRule(int first, int second, CostCallback callback)
        : TwoPartRule(first, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByXMinusY; }
    double normalisingHeight(const ParseObject &a, const ParseObject *b) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const override;
};

}
