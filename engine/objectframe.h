#pragma once

#include "engine/zkengine.h"

#include <cstdint>
#include <string>

namespace zk {

// The stored form of an object: "ZKEO", format version, object type, payload size,
// payload, CRC-32 of the payload (all integers 32-bit little-endian).
class ObjectFrame
{
public:
    static constexpr uint32_t formatVersion = 1;
    static constexpr uint32_t maxPayload = 256u << 20;

    uint32_t type = 0;
    std::string payload;

    bool read(zkStreamFn read, void *userData);
    bool write(zkStreamFn write, void *userData) const;
    bool parse(const std::string &bytes);
    std::string serialize() const;

    static uint32_t crc32(const std::string &bytes);
};

} // namespace zk
