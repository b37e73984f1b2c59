#include "tessel/limitrule.h"

#include "tessel/limitobject.h"

namespace tessel {

std::unique_ptr<ParseObject> LimitRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<LimitObject>(w, &region, a, b, g, m_callback);
}

double LimitRule::layoutPenalty(const Weights &w, const Box &a, const Box &b) const
{
    double g = 0.0;
    double d = b.minX - a.minX;
    if (d > 0)
        g += w.dx * 2.0 * sq(d);
    d = a.maxX - b.maxX;
    if (d > 0)
        g += w.dx * 2.0 * sq(d);
    d = b.minY - a.maxY;
    if (d < 0)
        g += w.dx * 2.0 * sq(d);
    return g;
}

double LimitRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return LimitObject::normalisingHeight(a, b);
}

}
