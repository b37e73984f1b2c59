#include "engine/tools/modelsamples.h"

#include "engine/tools/hersheyfont.h"
#include "engine/tools/inkcorpus.h"
#include "engine/tools/inkfile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace zk {

namespace {

const char *latinCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                              "?!-+=()/&@#*%$<>[]";
const char *calculatorCharacters = "0123456789?+-=()/";
const int inkSampleRepeats = 3; // samples of an ink folder

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

bool ModelSamples::knows(const std::string &label) const
{
    if (label.size() == 1)
        return m_characters.find(label[0]) != std::string::npos;
    for (const auto &t : m_templates)
        if (t.first == label)
            return true;
    return false;
}

void ModelSamples::addInkFile(const std::string &path)
{
    for (const InkFileEntry &entry : readInkFile(path))
        if (!entry.label.empty() && !entry.ink.empty() && knows(entry.label))
            m_samples.push_back({entry.label, entry.ink, inkSampleRepeats});
}

bool ModelSamples::addCorpus(const std::string &path, bool yUp, int repeats)
{
    InkCorpus corpus;
    if (!corpus.read(path, yUp))
        return false;
    // Digits written by hand look like o, l, z and s; among letters, the fonts teach them.
    const bool lettersOnly = m_characters == latinCharacters;
    for (const InkCorpus::Sample &s : corpus.samples())
        if (knows(s.label) && !s.ink.empty()
            && (!lettersOnly || (s.label.size() == 1 && std::isalpha(uint8_t(s.label[0])))))
            m_samples.push_back({s.label, s.ink, repeats});
    return true;
}

bool ModelSamples::addInkFolder(const std::string &path)
{
    std::error_code error;
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(path, error))
        if (entry.path().extension() == ".ink")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string &file : files)
        addInkFile(file);
    return !error;
}

} // namespace zk
