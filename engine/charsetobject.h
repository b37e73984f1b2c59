#pragma once

#include "engine/engineobject.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zk {

// A character set (type 321): ranges of code points that labels may use.
class CharsetObject : public EngineObject
{
public:
    CharsetObject();

    std::vector<std::pair<uint32_t, uint32_t>> ranges; // inclusive, sorted

    bool contains(uint32_t codePoint) const;
    // Whether every character of a UTF-8 label is in the set (false for bad UTF-8).
    bool accepts(const std::string &label) const;
    std::string payload() const;
    bool load(const std::string &payload);
};

} // namespace zk
