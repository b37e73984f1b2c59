#pragma once

#include "engine/engineobject.h"

#include <string>
#include <vector>

namespace zk {

// The user's words (type 315): filled, then finished, then attached.
class LexiconObject : public EngineObject
{
public:
    LexiconObject();
    bool addWord(const std::string &word);
    bool finish();
    bool isFinished() const { return m_finished; }
    const std::vector<std::string> &words() const { return m_words; }

private:
    std::vector<std::string> m_words;
    bool m_finished = false;
};

} // namespace zk
