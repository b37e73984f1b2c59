#pragma once

#include <string>

namespace zk {

// Walks a binary Zinnia model with bounds checks before Zinnia reads it unchecked.
class ZinniaModelCheck
{
public:
    static bool isValid(const std::string &bytes);
};

} // namespace zk
