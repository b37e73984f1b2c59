#pragma once

#include "engine/inkpoint.h"

#include <string>
#include <vector>

namespace zk {

// The glyphs of the Hershey Japanese font known by sight (kana, voiced kana and a few
// kanji), as a pen writes them; only those whose pen strokes come out in the character's
// usual stroke count, so that the ink is what a writer would make.
struct JapaneseGlyph {
    std::string label;
    InkStrokes pen;
    bool kanji = false;
};

std::vector<JapaneseGlyph> japaneseGlyphs(const std::string &fontPath);

} // namespace zk
