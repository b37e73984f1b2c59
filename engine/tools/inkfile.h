#pragma once

#include "engine/inkpoint.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zk {

// One labelled ink of an .ink file.
struct InkFileEntry {
    std::string label;
    InkStrokes ink;
};

// The points of one stroke line, "x,y x,y ..."; pairs that are no numbers are skipped.
inline InkStroke inkFileStroke(const std::string &line)
{
    std::istringstream points(line);
    std::string pair;
    InkStroke stroke;
    float x, y;
    while (points >> pair)
        if (std::sscanf(pair.c_str(), "%f,%f", &x, &y) == 2)
            stroke.push_back({x, y});
    return stroke;
}

// The inks of an .ink file in file order: "label L" lines, each followed by its strokes, one
// stroke line each. Blank lines, lines starting with "#", strokes before the first label and
// lines without a point are skipped; empty when the file cannot be read. Header-only, for the
// tools, tests and benches that read ink fixtures.
inline std::vector<InkFileEntry> readInkFile(const std::string &path)
{
    const char *space = " \t\r\n";
    std::vector<InkFileEntry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(space);
        if (first == std::string::npos || line[first] == '#')
            continue;
        line = line.substr(first, line.find_last_not_of(space) - first + 1);
        if (line.rfind("label ", 0) == 0) {
            entries.push_back({line.substr(6), {}});
            continue;
        }
        InkStroke stroke = inkFileStroke(line);
        if (!entries.empty() && !stroke.empty())
            entries.back().ink.push_back(std::move(stroke));
    }
    return entries;
}

} // namespace zk
