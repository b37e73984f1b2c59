#include "tessel/recognizerobject.h"

#include "tessel/region.h"

namespace tessel {

RecognizerObject::RecognizerObject(const Region *objectRegion, const std::string &label,
                                   double objectCost, double objectY, double objectH, int objectFlags)
    : m_label(label)
{
    region = objectRegion;
    cost = objectCost;
    sw = objectRegion ? objectRegion->strokeCount() : 0;
    yw = 1.0;
    hw = 1.0;
    y = objectY;
    h = objectH;
    flags = objectFlags;
}

}
