#include "tessel/sigmaobject.h"

namespace tessel {

double SigmaObject::meanHeight(const ParseObject &a, const ParseObject *b)
{
    return b ? (a.h * a.hw + b->h * b->hw) / (a.hw + b->hw) : a.h;
}

SigmaObject::SigmaObject(const Weights &w, const Region *objectRegion, const ParseObject &a,
                         const ParseObject &b, double g, CostCallback callback)
    : HPairObject(objectRegion, a, b)
{
    h = meanHeight(a, &b);
    y = (a.y * a.yw + b.y * b.yw) / (a.yw + b.yw);
    sw = a.sw + b.sw;
    yw = a.yw + b.yw;
    hw = a.hw + b.hw;
    const double h2 = sq(h);
    cost = a.cost + b.cost + g / h2;
    addConsistency(callback, sq(a.y - y) * a.sw * w.y0 / h2 + sq(b.y - y) * b.sw * w.y0 / h2
                                 + sq(a.h - h) * a.sw * w.h / h2 + sq(b.h - h) * b.sw * w.h / h2);
}

}
