#pragma once

#include <cstdint>
#include <string>

namespace zk {

// Little-endian encoder of stored objects' payloads.
class ByteWriter
{
public:
    void u8(uint8_t v) { m_bytes.push_back(char(v)); }
    void u32(uint32_t v);
    void f32(float v);
    void text(const std::string &s);
    const std::string &bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace zk
