#include "tessel/subscriptrule.h"

#include "tessel/subscriptobject.h"

namespace tessel {

std::unique_ptr<ParseObject> SubscriptRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<SubscriptObject>(w, &region, a, b, g, m_callback);
}

double SubscriptRule::normalisingHeight(const ParseObject &a, const ParseObject *) const
{
    return a.h;
}

}
