#include "tessel/sigmaobject.h"

namespace tessel {

SigmaObject::SigmaObject(const Weights &w, const Region *objectRegion, const ParseObject &a,
                         const ParseObject &b, double g, CostCallback callback)
    : HPairObject(objectRegion, a, b)
{
    h = meanHeight(a, &b);
    y = weightedMean(a.y, a.yw, b.y, b.yw);
    sw = a.sw + b.sw;
    yw = a.yw + b.yw;
    hw = a.hw + b.hw;
    const double h2 = sq(h);
    cost = a.cost + b.cost + g / h2;
    addConsistency(callback, sq(a.y - y) * a.sw * w.y0 / h2 + sq(b.y - y) * b.sw * w.y0 / h2
                                 + sq(a.h - h) * a.sw * w.h / h2 + sq(b.h - h) * b.sw * w.h / h2);
}

}
