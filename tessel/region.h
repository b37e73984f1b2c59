#pragma once

#include "tessel/box.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessel {

// A set of stroke indices as a bit vector, with the box of its strokes.
class Region
{
public:
    void clear();
    void addStroke(int stroke, const Box &strokeBox);
    bool contains(int stroke) const;
    int strokeCount() const;
    int firstStroke() const { return nextStroke(-1); }
    int nextStroke(int stroke) const;

    const Box &box() const { return m_box; }
    const std::vector<uint32_t> &words() const { return m_words; }

private:
    std::vector<uint32_t> m_words;
    Box m_box;
};

}
