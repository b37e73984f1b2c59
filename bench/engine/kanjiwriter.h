#pragma once

#include "engine/inkpoint.h"

#include <random>

namespace zk {

// Handwriting-like ink of a Japanese character from its pen strokes, for writers the models
// never met: a writer's slant, proportions and pen speed (point density), and from stroke
// to stroke small shifts, turns, length changes and wobble. The character lands in a boxed
// pad's cell of the given side, at a size that varies from character to character. The same
// seed gives the same writer.
class KanjiWriter
{
public:
    explicit KanjiWriter(unsigned seed);

    InkStrokes write(const InkStrokes &pen, float cellSide);

private:
    float uniform(float low, float high);
    InkStroke stroke(const InkStroke &line, float unit);

    std::mt19937 m_random;
    float m_slant, m_aspect, m_step, m_shake;
};

} // namespace zk
