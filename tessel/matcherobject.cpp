#include "tessel/matcherobject.h"

#include "tessel/shapetemplate.h"

namespace tessel {

MatcherObject::MatcherObject(const ShapeTemplate &shape, const Region *objectRegion,
                             double objectCost, double objectY, double objectH)
    : RecognizerObject(objectRegion, shape.name, objectCost, objectY, objectH, HeightCounts | Baseline)
    , m_shape(&shape)
{
}

Box MatcherObject::layoutBox() const
{
    return {0.0, m_shape->box.minY, m_shape->width, m_shape->box.maxY};
}

void MatcherObject::place(Ink &target, double x, double y, double s) const
{
    Ink ink = m_shape->ink;
    ink.scale(s, s);
    ink.translate(x, y);
    target.append(ink);
}

}
