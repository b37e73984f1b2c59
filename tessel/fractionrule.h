#pragma once

#include "tessel/threepartrule.h"

namespace tessel {

// A numerator over a bar of one or two strokes over a denominator.
class FractionRule : public ThreePartRule
{
public:
    FractionRule(int numerator, int bar, int denominator, CostCallback callback)
        : ThreePartRule(numerator, bar, denominator, callback)
    {
    }

protected:
    static double numeratorBarPenalty(const Weights &w, const Box &numerator, const Box &bar);
    static double barDenominatorPenalty(const Weights &w, const Box &bar, const Box &denominator);

    Parser::Order order() const override { return Parser::ByY; }
    int maxMiddle() const override { return 2; }
    double layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const override;
    double normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const override;
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, const ParseObject &c, double g,
                                       const Box &middle) const override;
};

}
