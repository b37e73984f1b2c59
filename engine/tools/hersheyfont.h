#pragma once

#include "engine/inkpoint.h"

#include <map>
#include <string>

namespace zk {

// A Hershey stroke font (.jhf): the glyphs of the printable ASCII characters, as strokes
// in font units with y growing downwards.
class HersheyFont
{
public:
    bool load(const std::string &path);
    const std::map<char, InkStrokes> &glyphs() const { return m_glyphs; }

private:
    static InkStrokes parseGlyph(const std::string &body, int vertices);
    std::map<char, InkStrokes> m_glyphs;
};

} // namespace zk
