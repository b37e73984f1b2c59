#include "tessel/operatorrule.h"

#include "tessel/operatorobject.h"

namespace tessel {

double OperatorRule::layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const
{
    double g = 0.0;
    double d = b.minX - a.maxX;
    if (d < 0)
        g += w.dx * sq(d);
    d = c.minX - b.maxX;
    if (d < 0)
        g += w.dx * sq(d);
    return g;
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
