#include "engine/charsetobject.h"

#include "engine/bytereader.h"
#include "engine/bytewriter.h"
#include "engine/utf8.h"
#include "engine/zkengine.h"

#include <algorithm>

namespace zk {

CharsetObject::CharsetObject()
    : EngineObject(ZK_TYPE_CHARSET)
{
}

bool CharsetObject::contains(uint32_t codePoint) const
{
    auto it = std::upper_bound(ranges.begin(), ranges.end(), codePoint,
                               [](uint32_t c, const auto &r) { return c < r.first; });
    return it != ranges.begin() && codePoint <= std::prev(it)->second;
}

bool CharsetObject::accepts(const std::string &label) const
{
    std::vector<uint32_t> codes;
    if (!Utf8::decode(label, codes))
        return false;
    return std::all_of(codes.begin(), codes.end(), [this](uint32_t c) { return contains(c); });
}

std::string CharsetObject::payload() const
{
    ByteWriter w;
    w.u32(uint32_t(ranges.size()));
    for (const auto &r : ranges) {
        w.u32(r.first);
        w.u32(r.second);
    }
    return w.bytes();
}

bool CharsetObject::load(const std::string &payload)
{
    ByteReader r(payload);
    uint32_t n = r.count(8);
    ranges.clear();
    for (uint32_t i = 0; i < n && r.ok(); ++i) {
        uint32_t a = r.u32(), b = r.u32();
        if (a > b || b > 0x10FFFF || (!ranges.empty() && a <= ranges.back().second))
            return false;
        ranges.push_back({a, b});
    }
    return r.ok() && r.atEnd();
}

} // namespace zk
