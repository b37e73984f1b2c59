#include "tessel/sigmarule.h"

#include "tessel/sigmaobject.h"

namespace tessel {

std::unique_ptr<ParseObject> SigmaRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<SigmaObject>(w, &region, a, b, g, m_callback);
}

double SigmaRule::normalisingHeight(const ParseObject &a, const ParseObject *b) const
{
    return SigmaObject::meanHeight(a, b);
}

}
