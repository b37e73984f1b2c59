#pragma once

#include "tessel/point.h"

#include <cfloat>

namespace tessel {

// Axis-aligned box; the empty box runs from +DBL_MAX to -DBL_MAX.
struct Box
{
    double minX = DBL_MAX;
    double minY = DBL_MAX;
    double maxX = -DBL_MAX;
    double maxY = -DBL_MAX;

    void extend(const Point &p)
    {
        if (p.x < minX) minX = p.x;
        if (p.y < minY) minY = p.y;
        if (p.x > maxX) maxX = p.x;
        if (p.y > maxY) maxY = p.y;
    }
    void unite(const Box &other)
    {
        if (other.minX < minX) minX = other.minX;
        if (other.minY < minY) minY = other.minY;
        if (other.maxX > maxX) maxX = other.maxX;
        if (other.maxY > maxY) maxY = other.maxY;
    }
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    double centreY() const { return (minY + maxY) * 0.5; }
};

}
