#include "keyboard/keyactions.h"

#include "keyboard/key.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyvariant.h"

#include <cstdlib>
#include <cstring>

namespace {

void changeModifiers(Key *key, KeyboardModifierKind kind, void *argument)
{
    if (Keyboard *keyboard = keyKeyboard(key))
        keyboardChangeModifiers(keyboard, kind, modifierArgumentMask(argument),
                                key->state == KeyStateDown);
}

} // namespace

KeyTextArgument *keyTextArgumentCreate(const char *text, size_t length)
{
    auto *argument = static_cast<KeyTextArgument *>(std::calloc(1, sizeof(KeyTextArgument)));
    if (!argument)
        return nullptr;
    argument->text = static_cast<char *>(std::malloc(length + 1));
    if (!argument->text) {
        std::free(argument);
        return nullptr;
    }
    if (length)
        std::memcpy(argument->text, text, length);
    argument->text[length] = '\0';
    argument->length = length;
    return argument;
}

void keyTextArgumentFree(void *argument)
{
    if (!argument)
        return;
    std::free(static_cast<KeyTextArgument *>(argument)->text);
    std::free(argument);
}

KeysymArgument *keysymArgumentCreate(uint32_t keysym, uint32_t modifiers)
{
    auto *argument = static_cast<KeysymArgument *>(std::malloc(sizeof(KeysymArgument)));
    if (argument)
        *argument = KeysymArgument{keysym, modifiers};
    return argument;
}

void keysymArgumentFree(void *argument)
{
    std::free(argument);
}

void *modifierArgument(uint32_t mask)
{
    return reinterpret_cast<void *>(uintptr_t(mask));
}

uint32_t modifierArgumentMask(const void *argument)
{
    return uint32_t(reinterpret_cast<uintptr_t>(argument));
}

void textAction(Key *key, KeyVariant *variant, void *argument)
{
    Keyboard *keyboard = keyKeyboard(key);
    if (!keyboard || key->state == KeyStateUp)
        return;
    const char *text = variant ? variant->label : nullptr;
    size_t length = text ? std::strlen(text) : 0;
    if (argument) {
        text = static_cast<KeyTextArgument *>(argument)->text;
        length = static_cast<KeyTextArgument *>(argument)->length;
    }
    if (text && length)
        keyboardEmitText(keyboard, text, length);
}

void keysymAction(Key *key, KeyVariant *, void *argument)
{
    Keyboard *keyboard = keyKeyboard(key);
    if (!argument || !keyboard || key->state == KeyStateUp)
        return;
    auto *keysym = static_cast<KeysymArgument *>(argument);
    keyboardEmitKeysym(keyboard, keysym->keysym, keysym->modifiers);
}

void setModifierAction(Key *key, KeyVariant *, void *argument)
{
    changeModifiers(key, ModifierSet, argument);
}

void latchModifierAction(Key *key, KeyVariant *, void *argument)
{
    changeModifiers(key, ModifierLatched, argument);
}

void lockModifierAction(Key *key, KeyVariant *, void *argument)
{
    changeModifiers(key, ModifierLocked, argument);
}
