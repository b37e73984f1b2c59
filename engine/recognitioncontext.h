#pragma once

#include "engine/characterclassifier.h"
#include "engine/inkpoint.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zk {

class CharsetObject;
class EngineObject;
class ResourceObject;

// What a run may use, gathered from the attached resources: character models (the user's
// first), gestures, the words of lexicons and the labels allowed.
class RecognitionContext
{
public:
    RecognitionContext(const std::vector<std::shared_ptr<EngineObject>> &resources,
                       std::shared_ptr<const CharsetObject> charset);

    bool hasGestures() const { return m_gestures; }
    bool isIdeographic() const { return m_ideographic; }
    bool hasModels() const { return !m_user.empty() || !m_base.empty(); }
    const std::set<std::string> &words() const { return m_words; }

    // Sizes that tell characters apart (0 when unknown).
    struct SizeCue {
        float full = 0;      // a full character's size: tells dots from letters
        float capital = 0;   // a capital's height: tells small letters from capitals
        bool inLine = false; // in a line, digits stand as tall as capitals
    };

    // Candidates for one character, best first.
    Guesses read(const InkStrokes &ink, const SizeCue &size, int count) const;

private:
    bool allowed(const std::string &label) const;
    void merge(Guesses &out, const Guesses &more) const;
    // Ranks the form of each size-only letter pair that fits the ink's height where the
    // models rank either form.
    void rankBySize(Guesses &guesses, float relativeHeight) const;

    std::vector<std::shared_ptr<const ResourceObject>> m_user;
    std::vector<std::shared_ptr<const ResourceObject>> m_base;
    std::set<std::string> m_words;
    std::set<std::string> m_symbols;
    std::set<std::string> m_extra;
    std::shared_ptr<const CharsetObject> m_charset;
    bool m_gestures = false;
    bool m_ideographic = false;
};

} // namespace zk
