#pragma once

#include "engine/inkpoint.h"

#include <random>

namespace zk {

// Makes handwriting-like variants of a template: scale, slant, rotation, wobbly and
// jittered points, and now and then joined, reversed or reordered strokes.
class Augmenter
{
public:
    explicit Augmenter(unsigned seed)
        : m_random(seed)
    {
    }

    // orderChanges: also join, reverse and reorder strokes now and then.
    InkStrokes variant(const InkStrokes &glyph, bool orderChanges = true);
    // A light change of real ink: a little scale, slant, rotation and point jitter.
    InkStrokes jittered(const InkStrokes &ink);

private:
    float uniform(float low, float high);
    InkStroke densified(const InkStroke &stroke, float step) const;

    std::mt19937 m_random;
};

} // namespace zk
