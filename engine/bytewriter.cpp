#include "engine/bytewriter.h"

#include <cstring>

namespace zk {

void ByteWriter::u32(uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(char((v >> (8 * i)) & 0xFF));
}

void ByteWriter::f32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
}

void ByteWriter::text(const std::string &s)
{
    u32(uint32_t(s.size()));
    m_bytes += s;
}

} // namespace zk
