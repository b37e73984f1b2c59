#pragma once

#include "engine/zkengine.h"

namespace zk {

// The operation tables reached through zkGetInterface.
class Interfaces
{
public:
    static const zkOperation *table(uint32_t number);
    static bool implements(uint32_t type, uint32_t number);
};

} // namespace zk
