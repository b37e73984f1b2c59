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
    return w.shortfall(b.minX - a.minX) + w.excess(b.maxX - a.maxX)
            + w.shortfall(b.minY - 0.1 * a.height() - a.minY) + w.excess(b.maxY - a.maxY);
}

double SqrtRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return b ? b->h : a.h;
}

}
