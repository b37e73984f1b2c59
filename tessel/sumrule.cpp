#include "tessel/sumrule.h"

#include "tessel/sumobject.h"

namespace tessel {

double SumRule::layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const
{
    // Each lower part is expected below the one above it and at least as wide.
    return spanPenalty(w, 2.0, b, a, a, b) + spanPenalty(w, 2.0, c, b, b, c);
}

double SumRule::normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const
{
    return SumObject::normalisingHeight(a, b, c);
}

std::unique_ptr<ParseObject> SumRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                            const ParseObject &b, const ParseObject &c, double g,
                                            const Box &) const
{
    return std::make_unique<SumObject>(w, &region, a, b, c, g, m_callback);
}

}
