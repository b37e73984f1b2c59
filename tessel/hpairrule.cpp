#include "tessel/hpairrule.h"

#include "tessel/hpairobject.h"

namespace tessel {

std::unique_ptr<ParseObject> HPairRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<HPairObject>(w, &region, a, b, g, m_callback);
}

double HPairRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return HPairObject::combinedHeight(a, b);
}

}
