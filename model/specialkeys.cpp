#include "model/specialkeys.h"

QString specialKeyText(SpecialKey key)
{
    const char32_t code = char32_t(key);
    return QString::fromUcs4(&code, 1);
}
