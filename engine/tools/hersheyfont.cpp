#include "engine/tools/hersheyfont.h"

#include <fstream>

namespace zk {

InkStrokes HersheyFont::parseGlyph(const std::string &body, int vertices)
{
    InkStrokes strokes(1);
    // The first pair holds the left and right bearings.
    for (int i = 1; i < vertices && size_t(2 * i + 1) < body.size(); ++i) {
        char a = body[size_t(2 * i)], b = body[size_t(2 * i + 1)];
        if (a == ' ' && b == 'R') {
            strokes.emplace_back();
            continue;
        }
        strokes.back().push_back({float(a - 'R'), float(b - 'R')});
    }
    InkStrokes out;
    for (InkStroke &s : strokes)
        if (!s.empty())
            out.push_back(std::move(s));
    return out;
}

bool HersheyFont::load(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line, pending;
    int code = 32;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pending += line;
        if (pending.size() < 8)
            continue;
        int vertices = std::atoi(pending.substr(5, 3).c_str());
        if (int(pending.size()) < 8 + 2 * vertices)
            continue; // the glyph goes on on the next line
        m_sequence.push_back(parseGlyph(pending.substr(8), vertices));
        if (code < 127)
            m_glyphs[char(code)] = m_sequence.back();
        ++code;
        pending.clear();
    }
    return !m_glyphs.empty();
}

} // namespace zk
