#include "tessel/fractionrule.h"

#include "tessel/fractionobject.h"

namespace tessel {

// The bar is expected to span the numerator and to lie below it.
double FractionRule::numeratorBarPenalty(const Weights &w, const Box &numerator, const Box &bar)
{
    return spanPenalty(w, 1.0, bar, numerator, numerator, bar);
}

// The bar is expected to span the denominator and to lie above it.
double FractionRule::barDenominatorPenalty(const Weights &w, const Box &bar, const Box &denominator)
{
    return spanPenalty(w, 1.0, bar, denominator, bar, denominator);
}

double FractionRule::layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const
{
    return numeratorBarPenalty(w, a, b) + barDenominatorPenalty(w, b, c);
}

double FractionRule::normalisingHeight(const ParseObject &a, const ParseObject *, const ParseObject *c) const
{
    return FractionObject::meanHeight(a, c);
}

std::unique_ptr<ParseObject> FractionRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                                 const ParseObject &b, const ParseObject &c, double g,
                                                 const Box &middle) const
{
    return std::make_unique<FractionObject>(w, &region, a, b, c, g, middle.centreY(), m_callback);
}

}
