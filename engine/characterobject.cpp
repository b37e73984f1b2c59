#include "engine/characterobject.h"

#include "engine/zkengine.h"

#include <algorithm>
#include <cmath>

namespace zk {

CharacterObject::CharacterObject()
    : EngineObject(ZK_TYPE_CHARACTER)
{
}

void CharacterObject::addCandidate(const std::string &label, float score)
{
    if (label.empty() || m_candidates.size() >= 64)
        return;
    m_candidates.push_back({label, std::isfinite(score) ? std::clamp(score, 1e-6f, 1.0f) : 1e-6f});
}

} // namespace zk
