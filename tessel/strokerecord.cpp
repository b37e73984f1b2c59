#include "tessel/strokerecord.h"

namespace tessel {

StrokeRecord::StrokeRecord(const Stroke &input)
{
    input.resampleStroke(stroke, kPoints);
    box = stroke.boundingBox();
    if (hasInk())
        centroid = stroke.centroid();
}

}
