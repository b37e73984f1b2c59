#ifndef ZK_MODELSAMPLES_H
#define ZK_MODELSAMPLES_H

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
    const std::multimap<std::string, InkStrokes> &templates() const { return m_templates; }

private:
    void addDrawnSymbols();

    std::string m_characters;
    std::multimap<std::string, InkStrokes> m_templates;
};

} // namespace zk

#endif
