#include "tessel/limitrule.h"

#include "tessel/limitobject.h"

namespace tessel {

std::unique_ptr<ParseObject> LimitRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<LimitObject>(w, &region, a, b, g, m_callback);
}

// The secondary part is expected below the main part and at least as wide.
double LimitRule::layoutPenalty(const Weights &w, const Box &a, const Box &b) const
{
    return spanPenalty(w, 2.0, b, a, a, b);
}

double LimitRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return LimitObject::normalisingHeight(a, b);
}

}
