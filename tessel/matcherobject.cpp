#include "tessel/matcherobject.h"

#include "tessel/shapetemplate.h"

namespace tessel {

MatcherObject::MatcherObject(const ShapeTemplate &shape, const Region *objectRegion,
                             double objectCost, double objectY, double objectH)
    : RecognizerObject(objectRegion, shape.name, objectCost, objectY, objectH, HeightCounts | Baseline)
    , m_shape(&shape)
{
}

}
