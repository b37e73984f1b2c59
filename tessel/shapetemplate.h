#pragma once

#include "tessel/ink.h"

#include <string>

namespace tessel {

// One built-in drawing of a symbol, in template units: x to the right, y down,
// the base line at 0 and the top of a digit at -2.
struct ShapeTemplate
{
    ShapeTemplate(const char *templateName, double advance, bool reversible, double costWeight);

    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void quadTo(double cx, double cy, double x, double y, int depth = 8);
    void cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y, int depth = 6);
    // Resamples every stroke to `points` points and sets the box.
    void complete(int points);

    std::string name;
    double width;
    bool allowReversed;
    double weight;
    Ink ink;
    Box box;
};

}
