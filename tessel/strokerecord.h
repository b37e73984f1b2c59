#pragma once

#include "tessel/stroke.h"

namespace tessel {

// What the parser keeps of an added stroke: its 40-point copy, box and centroid.
struct StrokeRecord
{
    static constexpr int kPoints = 40;

    explicit StrokeRecord(const Stroke &input);
    bool hasInk() const { return stroke.pointCount() > 0; }

    Stroke stroke;
    Box box;
    Point centroid;
};

}
