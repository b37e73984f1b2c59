#include "tessel/region.h"

#include <climits>

namespace tessel {

void Region::clear()
{
    m_words.clear();
    m_box = Box();
}

void Region::addStroke(int stroke, const Box &strokeBox)
{
    const size_t word = size_t(stroke) / 32;
    if (m_words.size() <= word)
        m_words.resize(word + 1, 0);
    m_words[word] |= uint32_t(1) << (stroke % 32);
    m_box.unite(strokeBox);
}

bool Region::contains(int stroke) const
{
    if (stroke < 0)
        return false;
    const size_t word = size_t(stroke) / 32;
    return word < m_words.size() && (m_words[word] >> (stroke % 32) & 1u);
}

int Region::strokeCount() const
{
    int count = 0;
    for (uint32_t w : m_words)
        count += __builtin_popcount(w);
    return count;
}

int Region::nextStroke(int stroke) const
{
    if (stroke >= INT_MAX - 1)
        return -1;
    const int s = stroke < -1 ? 0 : stroke + 1;
    for (size_t word = size_t(s) / 32; word < m_words.size(); ++word) {
        uint32_t bits = m_words[word];
        if (word == size_t(s) / 32)
            bits &= ~uint32_t(0) << (s % 32);
        if (bits)
            return int(word * 32) + __builtin_ctz(bits);
    }
    return -1;
}

}
