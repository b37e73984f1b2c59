#pragma once

#include "tessel/recognizerobject.h"

namespace tessel {

struct ShapeTemplate;

// A terminal recognised by matching a built-in shape template.
class MatcherObject : public RecognizerObject
{
public:
    MatcherObject(const ShapeTemplate &shape, const Region *objectRegion, double objectCost,
                  double objectY, double objectH);

    ParseObject *clone() const override { return new MatcherObject(*this); }
    const char *typeName() const override { return "Matcher"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;

private:
    const ShapeTemplate *m_shape;
};

}
