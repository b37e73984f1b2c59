#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zk {

// UTF-8 helpers for labels.
class Utf8
{
public:
    static bool decode(const std::string &text, std::vector<uint32_t> &codes);
    static std::string encode(uint32_t code);
    static bool isValid(const std::string &text);
    // ASCII letters lowered; other characters unchanged.
    static std::string lowered(const std::string &text);
};

} // namespace zk
