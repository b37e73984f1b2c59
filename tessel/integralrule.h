#pragma once

#include "tessel/rule.h"

namespace tessel {

class ParseObject;

// The leftmost stroke as an integral sign, the rest as its integrand and,
// with four strokes or more, as upper limit, integrand and lower limit.
class IntegralRule : public Rule
{
public:
    IntegralRule(int sign, int upper, int integrand, int lower, CostCallback callback);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    struct Parts;
    int signStroke(const Parser &parser, const Region &region) const;
    void applyWithoutLimits(Parser &parser, Result &target, const Parts &parts) const;
    void applyWithLimits(Parser &parser, Result &target, const Parts &parts) const;
    void combineWithLimits(Parser &parser, Result &target, const Parts &parts, const Result &upper,
                           const Result &integrand, const Result &lower, double g) const;

    int m_sign;
    int m_upper;
    int m_integrand;
    int m_lower;
};

}
