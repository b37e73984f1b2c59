#pragma once

#include "tessel/box.h"

#include <cstddef>
#include <vector>

namespace tessel {

class Canvas;

// A polyline of double-precision points in the caller's coordinates.
class Stroke
{
public:
    Stroke() = default;
    // Point i is read at byte offset i * stride from each base.
    Stroke(const float *x, int xStride, const float *y, int yStride, int count);

    void addPoint(const Point &p) { m_points.push_back(p); }
    int pointCount() const { return int(m_points.size()); }
    const Point &point(int i) const { return m_points[size_t(i)]; }
    const Point &lastPoint() const { return m_points.back(); }

    Box boundingBox() const;
    double length() const;
    Point centroid() const;
    void translate(double dx, double dy);
    void scale(double sx, double sy);
    void resampleStroke(Stroke &target, int n) const;
    void resample(int n);
    // Strokes the polyline with the canvas's colour and line width.
    void draw(Canvas &canvas) const;

private:
    std::vector<Point> m_points;
};

}
