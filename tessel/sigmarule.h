#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// Two parts side by side, compared without their flags.
class SigmaRule : public TwoPartRule
{
public:
    SigmaRule(int first, int second, CostCallback callback)
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
