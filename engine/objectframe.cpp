#include "engine/objectframe.h"

#include "engine/bytereader.h"
#include "engine/bytewriter.h"

#include <algorithm>
#include <array>

namespace zk {

namespace {

const char magic[4] = {'Z', 'K', 'E', 'O'};
const size_t readPiece = 64 << 10;

// Reads or writes all size bytes, however few one call moves; false when the stream fails or ends.
bool streamExactly(zkStreamFn stream, void *userData, char *bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        size_t chunk = std::min<size_t>(size - done, 1 << 20);
        int32_t n = stream(bytes + done, int32_t(chunk), userData);
        if (n <= 0 || size_t(n) > chunk)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

uint32_t ObjectFrame::crc32(const std::string &bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes)
        crc = table[(crc ^ uint8_t(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool ObjectFrame::read(zkStreamFn read, void *userData)
{
    if (!read)
        return false;
    std::string head(16, '\0');
    if (!streamExactly(read, userData, head.data(), head.size()))
        return false;
    ByteReader r(head);
    std::string m = {char(r.u8()), char(r.u8()), char(r.u8()), char(r.u8())};
    if (m != std::string(magic, 4) || r.u32() != formatVersion)
        return false;
    type = r.u32();
    uint32_t size = r.u32();
    if (size > maxPayload)
        return false;
    // The payload grows piece by piece as it arrives: a short file claiming a huge size
    // costs what it holds, not what it claims.
    payload.clear();
    while (payload.size() < size) {
        size_t piece = std::min<size_t>(size - payload.size(), readPiece);
        size_t done = payload.size();
        payload.resize(done + piece);
        if (!streamExactly(read, userData, payload.data() + done, piece))
            return false;
    }
    std::string tail(4, '\0');
    if (!streamExactly(read, userData, tail.data(), 4))
        return false;
    ByteReader t(tail);
    return t.u32() == crc32(payload);
}

bool ObjectFrame::parse(const std::string &bytes)
{
    size_t pos = 0;
    auto reader = [](void *buffer, int32_t size, void *userData) -> int32_t {
        auto *state = static_cast<std::pair<const std::string *, size_t *> *>(userData);
        size_t left = state->first->size() - *state->second;
        size_t n = std::min<size_t>(left, size_t(size));
        state->first->copy(static_cast<char *>(buffer), n, *state->second);
        *state->second += n;
        return int32_t(n);
    };
    std::pair<const std::string *, size_t *> state(&bytes, &pos);
    return read(reader, &state);
}

std::string ObjectFrame::serialize() const
{
    ByteWriter w;
    for (char c : magic)
        w.u8(uint8_t(c));
    w.u32(formatVersion);
    w.u32(type);
    w.u32(uint32_t(payload.size()));
    std::string bytes = w.bytes() + payload;
    ByteWriter crc;
    crc.u32(crc32(payload));
    return bytes + crc.bytes();
}

bool ObjectFrame::write(zkStreamFn write, void *userData) const
{
    if (!write)
        return false;
    std::string bytes = serialize();
    return streamExactly(write, userData, bytes.data(), bytes.size());
}

} // namespace zk
