#include "engine/bytereader.h"

#include <cstring>

namespace zk {

bool ByteReader::need(size_t n)
{
    if (m_failed || m_bytes.size() - m_pos < n) {
        m_failed = true;
        return false;
    }
    return true;
}

uint8_t ByteReader::u8()
{
    return need(1) ? uint8_t(m_bytes[m_pos++]) : 0;
}

uint32_t ByteReader::u32()
{
    if (!need(4))
        return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(m_bytes[m_pos++])) << (8 * i);
    return v;
}

float ByteReader::f32()
{
    uint32_t bits = u32();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

std::string ByteReader::text()
{
    uint32_t n = u32();
    if (!need(n))
        return {};
    std::string s = m_bytes.substr(m_pos, n);
    m_pos += n;
    return s;
}

uint32_t ByteReader::count(uint32_t itemSize)
{
    uint32_t n = u32();
    if (itemSize && uint64_t(n) * itemSize > m_bytes.size() - m_pos) {
        m_failed = true;
        return 0;
    }
    return n;
}

} // namespace zk
