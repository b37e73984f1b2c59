#include "tessel/parseobject.h"

namespace tessel {

double ParseObject::leafCostSum() const
{
    const int n = childCount();
    if (n == 0)
        return cost;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        if (const ParseObject *c = child(i))
            sum += c->leafCostSum();
    }
    return sum;
}

}
