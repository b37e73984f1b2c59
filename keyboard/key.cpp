#include "keyboard/key.h"

#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keybehavior.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"
#include "keyboard/listener.h"

#include <cstdlib>

namespace {

bool callKeyListener(const Listener *listener, void *key)
{
    auto function = reinterpret_cast<KeyListener>(listener->function);
    return function(static_cast<Key *>(key), listener->userValue);
}

} // namespace

Key *keyCreate(int32_t type)
{
    if (type != KeyTypeNormal && type != KeyTypeToggle)
        return nullptr;
    auto *key = static_cast<Key *>(std::calloc(1, sizeof(Key)));
    if (!key)
        return nullptr;
    key->type = type;
    key->behaviorIndex = -1;
    key->listeners = listCreate();
    if (!key->listeners) {
        std::free(key);
        return nullptr;
    }
    return key;
}

void keyClear(Key *key)
{
    if (!key)
        return;
    listFree(key->listeners, listenerFreeValue);
    key->listeners = nullptr;
    for (int i = 0; i < key->variantCount; ++i)
        keyVariantFree(key->variants[i]);
    std::free(key->variants);
    key->variants = nullptr;
    key->variantCount = 0;
    key->behaviorIndex = -1;
    key->type = 3;
    key->state = 5;
}

void keyFree(Key *key)
{
    if (!key)
        return;
    if (key->layout)
        layoutRemoveKey(key->layout, key);
    keyClear(key);
    std::free(key);
}

bool keyAppendVariant(Key *key, KeyVariant *variant)
{
    if (!key || !variant || key->variantCount >= KeyMaxVariants)
        return false;
    const size_t size = (key->variantCount + 1) * sizeof(KeyVariant *);
    auto *variants = static_cast<KeyVariant **>(std::realloc(key->variants, size));
    if (!variants)
        return false;
    variants[key->variantCount++] = variant;
    key->variants = variants;
    return true;
}

bool keySetBehaviorIndex(Key *key, int32_t index)
{
    if (!key || index < 0)
        return false;
    key->behaviorIndex = index;
    return true;
}

bool addListener(Key *key, KeyListener function, void *userValue)
{
    return key && listenerAppend(key->listeners, reinterpret_cast<ListenerFunction>(function), userValue);
}

int32_t keyType(const Key *key)
{
    return key ? key->type : -1;
}

int32_t keyState(const Key *key)
{
    return key ? key->state : -1;
}

void keySetState(Key *key, int32_t state)
{
    if (key)
        key->state = state;
}

uint8_t keyVariantCount(const Key *key)
{
    return key ? key->variantCount : 0;
}

KeyVariant *keyVariantAt(const Key *key, int index)
{
    if (!key || index < 0 || index >= key->variantCount)
        return nullptr;
    return key->variants[index];
}

int32_t keyBehaviorIndex(const Key *key)
{
    return key ? key->behaviorIndex : -1;
}

KeyboardLayout *keyLayout(const Key *key)
{
    return key ? key->layout : nullptr;
}

Keyboard *keyKeyboard(const Key *key)
{
    return key && key->layout ? key->layout->keyboard : nullptr;
}

KeyVariant *keyCurrentVariant(const Key *key)
{
    if (!key)
        return nullptr;
    int index = 0;
    if (Keyboard *keyboard = keyKeyboard(key)) {
        if (const KeyBehavior *behavior = keyboardBehaviorAt(keyboard, key->behaviorIndex))
            index = keyBehaviorVariantIndex(behavior, keyboardModifierState(keyboard));
    }
    return keyVariantAt(key, index);
}

bool keyActivate(Key *key)
{
    KeyVariant *variant = keyCurrentVariant(key);
    if (!variant)
        return false;
    if (variant->action)
        variant->action(key, variant, variant->argument);
    return true;
}

void keyPress(Key *key)
{
    if (!key)
        return;
    if (key->type == KeyTypeToggle)
        key->state = key->state == KeyStateDown ? KeyStateUp : KeyStateDown;
    else
        key->state = KeyStateDown;
    if (Keyboard *keyboard = keyKeyboard(key))
        keyboardActivateKey(keyboard, key);
    else
        keyActivate(key);
    keyNotifyListeners(key);
}

void keyRelease(Key *key)
{
    if (!key || key->type == KeyTypeToggle)
        return;
    key->state = KeyStateUp;
    keyActivate(key);
    keyNotifyListeners(key);
}

void keyNotifyListeners(Key *key)
{
    if (key)
        listenerNotifyUntilConsumed(key->listeners, callKeyListener, key);
}
