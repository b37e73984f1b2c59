#include "engine/zinniamodelcheck.h"

#include <cstdint>
#include <cstring>

namespace zk {

namespace {

const uint32_t magicId = 0xef71821; // Zinnia's model magic, xor-ed with the file size
const uint32_t modelVersion = 1;
const size_t labelSize = 16;

template <class T>
bool take(const std::string &bytes, size_t &pos, T &value)
{
    if (bytes.size() - pos < sizeof(T))
        return false;
    std::memcpy(&value, bytes.data() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

} // namespace

bool ZinniaModelCheck::isValid(const std::string &bytes)
{
    size_t pos = 0;
    uint32_t magic = 0, version = 0, classes = 0;
    if (!take(bytes, pos, magic) || !take(bytes, pos, version) || !take(bytes, pos, classes))
        return false;
    if ((magic ^ magicId) != bytes.size() || version != modelVersion || classes == 0)
        return false;
    for (uint32_t c = 0; c < classes; ++c) {
        if (bytes.size() - pos < labelSize + 4
            || std::memchr(bytes.data() + pos, '\0', labelSize) == nullptr)
            return false;
        pos += labelSize + 4; // label, bias
        for (;;) {
            int32_t index = 0;
            float value = 0;
            if (!take(bytes, pos, index) || !take(bytes, pos, value))
                return false;
            if (index == -1)
                break;
            if (index < 0)
                return false;
        }
    }
    return pos == bytes.size();
}

} // namespace zk
