#include "tessel/sqrtrule.h"

#include "tessel/sqrtobject.h"

namespace tessel {

std::unique_ptr<ParseObject> SqrtRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<SqrtObject>(w, &region, a, b, g, m_callback);
}

double SqrtRule::layoutPenalty(const Weights &w, const Box &a, const Box &b) const
{
    double g = 0.0;
    double d = b.minX - a.minX;
    if (d < 0)
        g += w.dx * sq(d);
    d = b.maxX - a.maxX;
    if (d > 0)
        g += w.dx * sq(d);
    d = b.minY - 0.1 * a.height() - a.minY;
    if (d < 0)
        g += w.dx * sq(d);
    d = b.maxY - a.maxY;
    if (d > 0)
        g += w.dx * sq(d);
    return g;
}

double SqrtRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return b ? b->h : a.h;
}

}
