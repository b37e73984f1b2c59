#pragma once

#include "engine/inkpoint.h"

#include <map>
#include <string>
#include <vector>

namespace zk {

// A Hershey stroke font (.jhf): the glyphs of the printable ASCII characters, as strokes
// in font units with y growing downwards; every glyph of the file in its order as well.
class HersheyFont
{
public:
    bool load(const std::string &path);
    const std::map<char, InkStrokes> &glyphs() const { return m_glyphs; }
    const std::vector<InkStrokes> &sequence() const { return m_sequence; }

private:
    static InkStrokes parseGlyph(const std::string &body, int vertices);
    std::map<char, InkStrokes> m_glyphs;
    std::vector<InkStrokes> m_sequence;
};

} // namespace zk
