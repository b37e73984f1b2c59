#pragma once

#include "tessel/stroke.h"

namespace tessel {

// An ordered set of strokes; the order is significant for template matching.
class Ink
{
public:
    void addStroke(const Stroke &stroke) { m_strokes.push_back(stroke); }
    void append(const Ink &other);
    int strokeCount() const { return int(m_strokes.size()); }
    const Stroke &stroke(int i) const { return m_strokes[size_t(i)]; }
    Stroke &lastStroke() { return m_strokes.back(); }

    Box boundingBox() const;
    void resample(int n);
    void translate(double dx, double dy);
    void scale(double sx, double sy);
    void draw(Canvas &canvas) const;

private:
    std::vector<Stroke> m_strokes;
};

}
