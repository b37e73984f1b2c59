#include "engine/lexiconobject.h"

#include "engine/zkengine.h"

#include <algorithm>

namespace zk {

LexiconObject::LexiconObject()
    : EngineObject(ZK_TYPE_LEXICON)
{
}

bool LexiconObject::addWord(const std::string &word)
{
    if (m_finished || word.empty() || word.size() > 256)
        return false;
    m_words.push_back(word);
    return true;
}

bool LexiconObject::finish()
{
    std::sort(m_words.begin(), m_words.end());
    m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
    m_finished = true;
    return true;
}

} // namespace zk
