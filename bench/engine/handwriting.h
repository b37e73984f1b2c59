#pragma once

#include "engine/inkpoint.h"

#include <random>

namespace zk {

// Handwriting-like ink from a stroke font glyph, for writers the models never met: a writer's
// slant and proportions, size jitter from letter to letter, lead-in strokes from the baseline,
// loops on tall strokes and pen-down joins between strokes. The same seed gives the same writer.
class Handwriting
{
public:
    explicit Handwriting(unsigned seed);

    InkStrokes write(const InkStrokes &glyph, bool lowercase);

private:
    float uniform(float low, float high);
    bool chance(float p) { return uniform(0, 1) < p; }
    InkStroke leadIn(const InkStroke &first, const InkBox &box);
    void loopTop(InkStroke &stroke, const InkBox &box);
    static InkStroke connector(const InkPoint &from, const InkPoint &to, float bend);

    std::mt19937 m_random;
    float m_slant, m_width, m_leadIn, m_loops, m_joins;
};

} // namespace zk
