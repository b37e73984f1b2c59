#include "tessel/superscriptrule.h"

#include "tessel/superscriptobject.h"

namespace tessel {

std::unique_ptr<ParseObject> SuperscriptRule::build(const Weights &w, const Region &region, const ParseObject &a,
                                       const ParseObject &b, double g) const
{
    return std::make_unique<SuperscriptObject>(w, &region, a, b, g, m_callback);
}

double SuperscriptRule::normalisingHeight(const ParseObject &a, const ParseObject *) const
{
    return a.h;
}

}
