#include "tessel/shapetemplate.h"

namespace tessel {

namespace {

Point midpoint(const Point &a, const Point &b)
{
    return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
}

// Splits at t = 0.5 by de Casteljau until depth 0, appending each piece's end point.
void flattenQuad(Stroke &stroke, const Point &p0, const Point &p1, const Point &p2, int depth)
{
    if (depth <= 0) {
        stroke.addPoint(p2);
        return;
    }
    const Point a = midpoint(p0, p1);
    const Point b = midpoint(p1, p2);
    const Point m = midpoint(a, b);
    flattenQuad(stroke, p0, a, m, depth - 1);
    flattenQuad(stroke, m, b, p2, depth - 1);
}

void flattenCubic(Stroke &stroke, const Point &p0, const Point &p1, const Point &p2, const Point &p3,
                  int depth)
{
    if (depth <= 0) {
        stroke.addPoint(p3);
        return;
    }
    const Point a = midpoint(p0, p1);
    const Point b = midpoint(p1, p2);
    const Point c = midpoint(p2, p3);
    const Point ab = midpoint(a, b);
    const Point bc = midpoint(b, c);
    const Point m = midpoint(ab, bc);
    flattenCubic(stroke, p0, a, ab, m, depth - 1);
    flattenCubic(stroke, m, bc, c, p3, depth - 1);
}

}

ShapeTemplate::ShapeTemplate(const char *templateName, double advance, bool reversible, double costWeight)
    : name(templateName)
    , width(advance)
    , allowReversed(reversible)
    , weight(costWeight)
{
}

void ShapeTemplate::moveTo(double x, double y)
{
    Stroke stroke;
    stroke.addPoint({x, y});
    ink.addStroke(stroke);
}

void ShapeTemplate::lineTo(double x, double y)
{
    ink.lastStroke().addPoint({x, y});
}

void ShapeTemplate::quadTo(double cx, double cy, double x, double y, int depth)
{
    Stroke &stroke = ink.lastStroke();
    const Point start = stroke.lastPoint();
    flattenQuad(stroke, start, {cx, cy}, {x, y}, depth);
}

void ShapeTemplate::cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y, int depth)
{
    Stroke &stroke = ink.lastStroke();
    const Point start = stroke.lastPoint();
    flattenCubic(stroke, start, {c1x, c1y}, {c2x, c2y}, {x, y}, depth);
}

void ShapeTemplate::complete(int points)
{
    ink.resample(points);
    box = ink.boundingBox();
}

}
