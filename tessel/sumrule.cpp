#include "tessel/sumrule.h"

#include "tessel/sumobject.h"

namespace tessel {

namespace {

// The lower part is expected below the upper one and at least as wide.
double stackPenalty(const Weights &w, const Box &upper, const Box &lower)
{
    double g = 0.0;
    double d = lower.minX - upper.minX;
    if (d > 0)
        g += w.dx * 2.0 * sq(d);
    d = upper.maxX - lower.maxX;
    if (d > 0)
        g += w.dx * 2.0 * sq(d);
    d = lower.minY - upper.maxY;
    if (d < 0)
        g += w.dx * 2.0 * sq(d);
    return g;
}

}

double SumRule::layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const
{
    return stackPenalty(w, a, b) + stackPenalty(w, b, c);
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
