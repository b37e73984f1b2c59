#ifndef ZK_RECOGNITIONCONTEXT_H
#define ZK_RECOGNITIONCONTEXT_H

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

    // Candidates for one character, best first; reference is the size a full character
    // would have (0 when unknown), used to tell dots from letters.
    Guesses read(const InkStrokes &ink, float reference, int count) const;

private:
    bool allowed(const std::string &label) const;
    void merge(Guesses &out, const Guesses &more) const;
    // Puts first the form of a size-only letter pair that fits the ink's height.
    void rankBySize(Guesses &guesses, float relativeHeight) const;
    // Square scripts: lexicon characters win near ties (the user's guesses stay first).
    void preferKnown(Guesses &guesses, size_t from) const;

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

#endif
