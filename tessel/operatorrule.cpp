#include "tessel/operatorrule.h"

#include "tessel/operatorobject.h"

namespace tessel {

double OperatorRule::layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const
{
    return w.shortfall(b.minX - a.maxX) + w.shortfall(c.minX - b.maxX);
}

double OperatorRule::normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const
{
    return OperatorObject::normalisingHeight(a, b, c);
}

std::unique_ptr<ParseObject> OperatorRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                                 const ParseObject &b, const ParseObject &c, double g,
                                                 const Box &) const
{
    return std::make_unique<OperatorObject>(w, &region, a, b, c, g, m_callback);
}

}
