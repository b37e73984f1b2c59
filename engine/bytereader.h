#pragma once

#include <cstdint>
#include <string>

namespace zk {

// Bounds-checked decoder: a read past the end sets the failed flag and yields zeros.
class ByteReader
{
public:
    explicit ByteReader(const std::string &bytes)
        : m_bytes(bytes)
    {
    }

    uint8_t u8();
    uint32_t u32();
    float f32();
    std::string text();
    // A count of items each at least itemSize bytes long; fails when they cannot fit.
    uint32_t count(uint32_t itemSize);
    bool ok() const { return !m_failed; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

private:
    bool need(size_t n);

    const std::string &m_bytes;
    size_t m_pos = 0;
    bool m_failed = false;
};

} // namespace zk
