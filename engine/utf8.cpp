#include "engine/utf8.h"

namespace zk {

bool Utf8::decode(const std::string &text, std::vector<uint32_t> &codes)
{
    codes.clear();
    size_t i = 0;
    while (i < text.size()) {
        uint8_t c = uint8_t(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= text.size() + (extra == 0 ? 1 : 0))
            return false;
        uint32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            uint8_t d = uint8_t(text[i + size_t(k)]);
            if ((d >> 6) != 2)
                return false;
            code = (code << 6) | (d & 0x3F);
        }
        static const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        codes.push_back(code);
        i += size_t(extra) + 1;
    }
    return true;
}

std::string Utf8::encode(uint32_t code)
{
    std::string s;
    if (code < 0x80) {
        s += char(code);
    } else if (code < 0x800) {
        s += char(0xC0 | (code >> 6));
        s += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        s += char(0xE0 | (code >> 12));
        s += char(0x80 | ((code >> 6) & 0x3F));
        s += char(0x80 | (code & 0x3F));
    } else {
        s += char(0xF0 | (code >> 18));
        s += char(0x80 | ((code >> 12) & 0x3F));
        s += char(0x80 | ((code >> 6) & 0x3F));
        s += char(0x80 | (code & 0x3F));
    }
    return s;
}

bool Utf8::isValid(const std::string &text)
{
    std::vector<uint32_t> codes;
    return decode(text, codes);
}

std::string Utf8::lowered(const std::string &text)
{
    std::string s = text;
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

} // namespace zk
