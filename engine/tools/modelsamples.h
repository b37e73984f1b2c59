#pragma once

#include "engine/inkpoint.h"

#include <map>
#include <string>
#include <vector>

namespace zk {

// Templates of the characters a built-in model knows: glyphs of Hershey fonts plus drawn
// templates of the symbols those fonts lack.
class ModelSamples
{
public:
    // "latin": letters, digits, punctuation; "calculator": digits and operators.
    explicit ModelSamples(const std::string &set);

    bool addFont(const std::string &path);
    // Real ink: every *.ink file of a folder ("label L" lines, each followed by its strokes,
    // one "x,y x,y ..." line each; "#" starts a comment). Labels outside the set are skipped.
    bool addInkFolder(const std::string &path);
    // Real ink of many writers (see InkCorpus), each sample learnt the given number of times;
    // the Latin set takes only its letters from real ink.
    bool addCorpus(const std::string &path, bool yUp, int repeats);

    struct RealSample {
        std::string label;
        InkStrokes ink;
        int repeats = 1;
    };
    const std::multimap<std::string, InkStrokes> &templates() const { return m_templates; }
    const std::vector<RealSample> &inkSamples() const { return m_samples; }

private:
    void addDrawnSymbols();
    void addInkFile(const std::string &path);
    bool knows(const std::string &label) const;

    std::string m_characters;
    std::multimap<std::string, InkStrokes> m_templates;
    std::vector<RealSample> m_samples;
};

} // namespace zk
