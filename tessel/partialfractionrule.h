#pragma once

#include "tessel/fractionrule.h"

namespace tessel {

// Fractions that may still lack their numerator or their denominator, and full ones.
class PartialFractionRule : public FractionRule
{
public:
    PartialFractionRule(int numerator, int bar, int denominator, CostCallback callback)
        : FractionRule(numerator, bar, denominator, callback)
    {
    }

    void apply(Parser &parser, Result &target, const Region &region) override;

protected:
    std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, const ParseObject &c, double g,
                                       const Box &middle) const override;

private:
    void applyNumeratorOverBar(Parser &parser, Result &target, const Region &region, int mark, int n) const;
    void applyBarOverDenominator(Parser &parser, Result &target, const Region &region, int mark, int n) const;
};

}
