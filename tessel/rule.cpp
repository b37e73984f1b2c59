#include "tessel/rule.h"

#include "tessel/box.h"
#include "tessel/weights.h"

namespace tessel {

double Rule::spanPenalty(const Weights &w, double factor, const Box &wide, const Box &narrow,
                         const Box &upper, const Box &lower)
{
    double g = 0.0;
    double d = wide.minX - narrow.minX;
    if (d > 0)
        g += w.dx * factor * sq(d);
    d = narrow.maxX - wide.maxX;
    if (d > 0)
        g += w.dx * factor * sq(d);
    d = lower.minY - upper.maxY;
    if (d < 0)
        g += w.dx * factor * sq(d);
    return g;
}

}
