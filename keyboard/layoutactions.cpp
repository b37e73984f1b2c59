#include "keyboard/layoutactions.h"

#include "keyboard/key.h"
#include "keyboard/keyactions.h"
#include "keyboard/keybehavior.h"
#include "keyboard/keyboard.h"
#include "keyboard/keynames.h"
#include "keyboard/keyvariant.h"

#include <cctype>
#include <cstring>

namespace {

struct Span {
    const char *begin;
    size_t length;
};

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

Span trimmed(const char *text)
{
    size_t length = std::strlen(text);
    while (length && isBlank(*text)) {
        ++text;
        --length;
    }
    while (length && isBlank(text[length - 1]))
        --length;
    return {text, length};
}

bool startsWith(Span text, const char *keyword)
{
    const size_t length = std::strlen(keyword);
    return text.length >= length && keyNameEquals(text.begin, length, keyword);
}

// The text between "keyword(" and the closing ")"; false without the ")".
bool inner(Span text, const char *keyword, Span *result)
{
    if (!text.length || text.begin[text.length - 1] != ')')
        return false;
    const size_t prefix = std::strlen(keyword);
    *result = {text.begin + prefix, text.length - prefix - 1};
    return true;
}

bool followModifier(Key *key, void *mask)
{
    keySetState(key, keyboardHasModifier(keyKeyboard(key), modifierArgumentMask(mask)) ? KeyStateDown
                                                                                      : KeyStateUp);
    return false;
}

bool storeKeysym(KeyVariant *variant, Span names)
{
    uint32_t modifiers = 0;
    const char *end = names.begin + names.length;
    for (const char *name = names.begin;;) {
        const char *plus = static_cast<const char *>(std::memchr(name, '+', size_t(end - name)));
        const size_t length = size_t((plus ? plus : end) - name);
        uint32_t value = 0;
        if (modifierMaskByName(name, length, &value)) {
            modifiers |= value;
        } else {
            if (!keysymByName(name, length, &value))
                return false;
            KeysymArgument *argument = keysymArgumentCreate(value, modifiers);
            return argument && keyVariantSetAction(variant, keysymAction, argument, keysymArgumentFree);
        }
        if (!plus)
            return true;
        name = plus + 1;
    }
}

bool storeText(KeyVariant *variant, Span text)
{
    KeyTextArgument *argument = keyTextArgumentCreate(text.begin, text.length);
    return argument && keyVariantSetAction(variant, textAction, argument, keyTextArgumentFree);
}

bool storeModifier(Key *key, KeyVariant *variant, Span name, KeyAction action)
{
    uint32_t mask = 0;
    if (!modifierMaskByName(name.begin, name.length, &mask))
        return false;
    if (key && keyType(key) == KeyTypeToggle && !addListener(key, followModifier, modifierArgument(mask)))
        return false;
    return keyVariantSetAction(variant, action, modifierArgument(mask), nullptr);
}

struct ModifierForm {
    const char *keyword;
    KeyAction action;
};

const ModifierForm modifierForms[] = {
    {"setModifier(", setModifierAction},
    {"latchModifier(", latchModifierAction},
    {"lockModifier(", lockModifierAction},
};

} // namespace

bool parseLayoutAction(Key *key, KeyVariant *variant, const char *text)
{
    if (!variant || !text)
        return false;
    const Span action = trimmed(text);
    Span argument{};
    if (startsWith(action, "keysym("))
        return inner(action, "keysym(", &argument) && storeKeysym(variant, argument);
    if (startsWith(action, "glyph("))
        return inner(action, "glyph(", &argument) && storeText(variant, argument);
    if (startsWith(action, "glyph"))
        return keyVariantSetAction(variant, textAction, nullptr, nullptr);
    for (const ModifierForm &form : modifierForms) {
        if (startsWith(action, form.keyword))
            return inner(action, form.keyword, &argument)
                && storeModifier(key, variant, argument, form.action);
    }
    return true;
}

bool parseModifierCombinations(KeyBehavior *behavior, const char *text, uint8_t variantIndex)
{
    const Span value = trimmed(text);
    if (keyNameEquals(value.begin, value.length, "any")) {
        keyBehaviorAssignAll(behavior, variantIndex);
        return true;
    }
    const char *end = value.begin + value.length;
    uint32_t combination = 0;
    for (const char *name = value.begin;; ++name) {
        const char *stop = name;
        while (stop < end && *stop != '+' && *stop != '|')
            ++stop;
        uint32_t mask = 0;
        if (stop > name && !modifierMaskByName(name, size_t(stop - name), &mask))
            return false;
        combination |= mask;
        if (stop == end || *stop == '|') {
            keyBehaviorAssign(behavior, combination, variantIndex);
            combination = 0;
        }
        if (stop == end)
            return true;
        name = stop;
    }
}
