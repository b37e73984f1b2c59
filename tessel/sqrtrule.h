#pragma once

#include "tessel/twopartrule.h"

namespace tessel {

// A radical sign of one to three strokes, leftmost first, over its radicand.
class SqrtRule : public TwoPartRule
{
public:
    SqrtRule(int first, int second, CostCallback callback)
        : TwoPartRule(first, second, callback)
    {
    }

protected:
    Parser::Order order() const override { return Parser::ByLeft; }
    int maxPrefix(int strokeCount) const override { return strokeCount - 1 < 3 ? strokeCount - 1 : 3; }
    double layoutPenalty(const Weights &w, const Box &a, const Box &b) const override;
    double normalisingHeight(const ParseObject &a, const ParseObject *b) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const override;
};

}
