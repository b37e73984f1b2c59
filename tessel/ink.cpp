#include "tessel/ink.h"

namespace tessel {

void Ink::append(const Ink &other)
{
    m_strokes.insert(m_strokes.end(), other.m_strokes.begin(), other.m_strokes.end());
}

Box Ink::boundingBox() const
{
    Box box;
    for (const Stroke &s : m_strokes)
        box.unite(s.boundingBox());
    return box;
}

void Ink::resample(int n)
{
    for (Stroke &s : m_strokes)
        s.resample(n);
}

void Ink::translate(double dx, double dy)
{
    for (Stroke &s : m_strokes)
        s.translate(dx, dy);
}

void Ink::scale(double sx, double sy)
{
    for (Stroke &s : m_strokes)
        s.scale(sx, sy);
}

void Ink::draw(Canvas &canvas) const
{
    for (const Stroke &s : m_strokes)
        s.draw(canvas);
}

}
