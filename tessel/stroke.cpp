#include "tessel/stroke.h"

#include "tessel/canvas.h"

#include <cmath>
#include <cstddef>

namespace tessel {

namespace {

double distance(const Point &a, const Point &b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

}

// Points with a non-finite coordinate are dropped: they have no place on the page.
Stroke::Stroke(const float *x, int xStride, const float *y, int yStride, int count)
{
    if (!x || !y || count < 1)
        return;
    const char *xBase = reinterpret_cast<const char *>(x);
    const char *yBase = reinterpret_cast<const char *>(y);
    m_points.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const Point p{*reinterpret_cast<const float *>(xBase + std::ptrdiff_t(i) * xStride),
                      *reinterpret_cast<const float *>(yBase + std::ptrdiff_t(i) * yStride)};
        if (std::isfinite(p.x) && std::isfinite(p.y))
            m_points.push_back(p);
    }
}

Box Stroke::boundingBox() const
{
    Box box;
    for (const Point &p : m_points)
        box.extend(p);
    return box;
}

double Stroke::length() const
{
    double total = 0.0;
    for (size_t i = 1; i < m_points.size(); ++i)
        total += distance(m_points[i - 1], m_points[i]);
    return total;
}

Point Stroke::centroid() const
{
    double total = 0.0, sx = 0.0, sy = 0.0;
    for (size_t i = 1; i < m_points.size(); ++i) {
        const Point &a = m_points[i - 1];
        const Point &b = m_points[i];
        const double d = distance(a, b);
        total += d;
        sx += d * (a.x + b.x) * 0.5;
        sy += d * (a.y + b.y) * 0.5;
    }
    if (total > 0.0)
        return {sx / total, sy / total};
    return m_points.front();
}

void Stroke::translate(double dx, double dy)
{
    for (Point &p : m_points) {
        p.x += dx;
        p.y += dy;
    }
}

void Stroke::scale(double sx, double sy)
{
    for (Point &p : m_points) {
        p.x *= sx;
        p.y *= sy;
    }
}

// Samples at arc lengths 0, step, 2 step, ... so that both ends are kept.
void Stroke::resampleStroke(Stroke &target, int n) const
{
    target.m_points.clear();
    if (m_points.empty())
        return;
    const double total = length();
    if (total == 0.0) {
        if (n > 0)
            target.m_points.assign(size_t(n), m_points.front());
        return;
    }
    target.m_points.push_back(m_points.front());
    if (n < 2)
        return;
    const double step = total / (n - 1);
    double r = -step;
    for (size_t i = 1; i < m_points.size(); ++i) {
        const Point &a = m_points[i - 1];
        const Point &b = m_points[i];
        const double d = distance(a, b);
        if (!(d > 0.0))
            continue;
        r += d;
        while (r >= 0.0) {
            target.m_points.push_back({b.x + (a.x - b.x) * r / d, b.y + (a.y - b.y) * r / d});
            r -= step;
        }
    }
    if (target.pointCount() < n)
        target.m_points.push_back(m_points.back());
}

void Stroke::resample(int n)
{
    Stroke resampled;
    resampleStroke(resampled, n);
    m_points.swap(resampled.m_points);
}

void Stroke::draw(Canvas &canvas) const
{
    if (m_points.empty())
        return;
    canvas.reservePath(pointCount());
    canvas.moveTo(m_points.front().x, m_points.front().y);
    for (size_t i = 1; i < m_points.size(); ++i)
        canvas.lineTo(m_points[i].x, m_points[i].y);
    canvas.strokePath();
}

}
