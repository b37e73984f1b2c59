#pragma once

#include "engine/engineobject.h"

#include <string>
#include <utility>
#include <vector>

namespace zk {

// A known character (type 111): labelled candidates with scores, best first.
class CharacterObject : public EngineObject
{
public:
    CharacterObject();
    void addCandidate(const std::string &label, float score);
    const std::vector<std::pair<std::string, float>> &candidates() const { return m_candidates; }

private:
    std::vector<std::pair<std::string, float>> m_candidates;
};

} // namespace zk
