#pragma once

#include "engine/inkinput.h"

#include <vector>

namespace zk {

// An entry of the input with its place (unit, component) and its box.
struct EntryRef {
    int unit = 0;
    int component = 0;
    const InkEntry *entry = nullptr;
    InkBox box;
};

using CharacterGroup = std::vector<EntryRef>;
using WordGroup = std::vector<CharacterGroup>;

struct LineGroup {
    std::vector<WordGroup> words;
    float height = 0;        // typical character height
    float tallest = 0;       // height of the tallest character
    float ascent = 0;        // from the baseline (the characters' median bottom) to the top
    float typicalAscent = 0; // from the baseline up to the characters' median top
};

// Splits free writing into lines (vertical position), characters (strokes that overlap
// horizontally; for square scripts, strokes within one character width) and words
// (horizontal gaps that stand out from the line's letter gaps).
class Segmenter
{
public:
    explicit Segmenter(bool ideographic)
        : m_ideographic(ideographic)
    {
    }

    std::vector<LineGroup> split(const std::vector<EntryRef> &entries) const;

private:
    std::vector<std::vector<EntryRef>> lines(std::vector<EntryRef> entries) const;
    std::vector<CharacterGroup> characters(std::vector<EntryRef> line) const;
    std::vector<CharacterGroup> joinSquares(std::vector<CharacterGroup> groups, float height) const;
    std::vector<WordGroup> words(std::vector<CharacterGroup> groups, float threshold) const;

    bool m_ideographic;
};

InkBox groupBox(const CharacterGroup &group);

} // namespace zk
