#include "keyboard/keynames.h"

#include <cctype>
#include <cstring>

namespace {

struct NamedValue {
    const char *name;
    uint32_t value;
};

const NamedValue modifierNames[] = {
    {"none", 0},   {"shift", ModifierShift}, {"lock", ModifierLock}, {"control", ModifierControl},
    {"ctrl", ModifierControl}, {"mod1", ModifierMod1}, {"mod2", ModifierMod2},
    {"mod3", ModifierMod3}, {"mod4", ModifierMod4}, {"mod5", ModifierMod5},
};

const NamedValue keysymNames[] = {
    {"backspace", 0xFF08}, {"tab", 0xFF09},    {"linefeed", 0xFF0A}, {"clear", 0xFF0B},
    {"return", 0xFF0D},    {"pause", 0xFF13},  {"scrolllock", 0xFF14}, {"sysreq", 0xFF15},
    {"escape", 0xFF1B},    {"delete", 0xFFFF}, {"insert", 0xFF63},   {"home", 0xFF50},
    {"left", 0xFF51},      {"up", 0xFF52},     {"right", 0xFF53},    {"down", 0xFF54},
    {"prior", 0xFF55},     {"pageup", 0xFF55}, {"next", 0xFF56},     {"pagedown", 0xFF56},
    {"end", 0xFF57},       {"begin", 0xFF58},  {"space", 0x20},
    {"f1", 0xFFBE},  {"f2", 0xFFBF},  {"f3", 0xFFC0},  {"f4", 0xFFC1},
    {"f5", 0xFFC2},  {"f6", 0xFFC3},  {"f7", 0xFFC4},  {"f8", 0xFFC5},
    {"f9", 0xFFC6},  {"f10", 0xFFC7}, {"f11", 0xFFC8}, {"f12", 0xFFC9},
};

template<size_t N>
bool lookUp(const NamedValue (&table)[N], const char *name, size_t length, uint32_t *value)
{
    for (const NamedValue &entry : table) {
        if (keyNameEquals(name, length, entry.name)) {
            *value = entry.value;
            return true;
        }
    }
    return false;
}

} // namespace

bool keyNameEquals(const char *name, size_t length, const char *other)
{
    if (std::strlen(other) != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i]))
            != std::tolower(static_cast<unsigned char>(other[i])))
            return false;
    }
    return true;
}

bool modifierMaskByName(const char *name, size_t length, uint32_t *mask)
{
    return lookUp(modifierNames, name, length, mask);
}

bool keysymByName(const char *name, size_t length, uint32_t *keysym)
{
    return lookUp(keysymNames, name, length, keysym);
}
