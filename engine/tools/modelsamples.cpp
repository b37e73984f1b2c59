#include "engine/tools/modelsamples.h"

#include "engine/tools/hersheyfont.h"

#include <cmath>

namespace zk {

namespace {

const char *latinCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                              "?!-+=()/&@#*%$<>[]";
const char *calculatorCharacters = "0123456789?+-=()/";

InkStroke dot(float x, float y)
{
    InkStroke s;
    for (int k = 0; k <= 6; ++k)
        s.push_back({x + 0.8f * std::cos(float(k)), y + 0.8f * std::sin(float(k))});
    return s;
}

} // namespace

ModelSamples::ModelSamples(const std::string &set)
    : m_characters(set == "calculator" ? calculatorCharacters : latinCharacters)
{
    if (set == "calculator")
        addDrawnSymbols();
}

void ModelSamples::addDrawnSymbols()
{
    const std::vector<std::pair<std::string, InkStrokes>> drawn{
        {"\xC3\x97", {{{-6, -6}, {6, 6}}, {{6, -6}, {-6, 6}}}},                       // ×
        {"\xC3\xB7", {{{-8, 0}, {8, 0}}, dot(0, -6), dot(0, 6)}},                      // ÷
        {"\xE2\x88\x9A", {{{-10, 0}, {-7, -2}, {-3, 10}, {3, -12}, {14, -12}}}},       // √
        {"\xCF\x80", {{{-9, -6}, {9, -7}}, {{-4, -6}, {-5, 8}}, {{4, -6}, {4, 6}, {6, 8}}}}, // π
    };
    for (const auto &d : drawn)
        for (int i = 0; i < 3; ++i)
            m_templates.insert(d);
}

bool ModelSamples::addFont(const std::string &path)
{
    HersheyFont font;
    if (!font.load(path))
        return false;
    for (char c : m_characters) {
        auto it = font.glyphs().find(c);
        if (it != font.glyphs().end() && !it->second.empty())
            m_templates.insert({std::string(1, c), it->second});
    }
    return true;
}

} // namespace zk
