#include "keyboard/keyboard.h"

#include "keyboard/key.h"
#include "keyboard/keybehavior.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/list.h"
#include "keyboard/listener.h"

#include <cstdlib>
#include <cstring>

namespace {

struct TextArguments {
    Keyboard *keyboard;
    const char *text;
    size_t length;
};

struct KeysymArguments {
    Keyboard *keyboard;
    uint32_t keysym;
    uint32_t modifiers;
};

bool callTextListener(const Listener *listener, void *arguments)
{
    auto *text = static_cast<TextArguments *>(arguments);
    auto function = reinterpret_cast<KeyboardTextListener>(listener->function);
    return function(text->keyboard, text->text, text->length, listener->userValue);
}

bool callKeysymListener(const Listener *listener, void *arguments)
{
    auto *keysym = static_cast<KeysymArguments *>(arguments);
    auto function = reinterpret_cast<KeyboardKeysymListener>(listener->function);
    return function(keysym->keyboard, keysym->keysym, keysym->modifiers, listener->userValue);
}

bool callStateListener(const Listener *listener, void *keyboard)
{
    auto function = reinterpret_cast<KeyboardStateListener>(listener->function);
    return function(static_cast<Keyboard *>(keyboard), listener->userValue);
}

void notifyState(Keyboard *keyboard)
{
    listenerNotifyUntilConsumed(keyboard->stateListeners, callStateListener, keyboard);
}

} // namespace

Keyboard *keyboardCreate()
{
    auto *keyboard = static_cast<Keyboard *>(std::calloc(1, sizeof(Keyboard)));
    if (!keyboard)
        return nullptr;
    keyboard->layouts = listCreate();
    keyboard->textListeners = listCreate();
    keyboard->keysymListeners = listCreate();
    keyboard->stateListeners = listCreate();
    if (!keyboard->layouts || !keyboard->textListeners || !keyboard->keysymListeners
        || !keyboard->stateListeners) {
        keyboardFree(keyboard);
        return nullptr;
    }
    return keyboard;
}

void keyboardFree(Keyboard *keyboard)
{
    if (!keyboard)
        return;
    while (keyboard->layouts && keyboard->layouts->head)
        keyboardLayoutFree(static_cast<KeyboardLayout *>(keyboard->layouts->head->value));
    listFree(keyboard->layouts, nullptr);
    listFree(keyboard->textListeners, listenerFreeValue);
    listFree(keyboard->keysymListeners, listenerFreeValue);
    listFree(keyboard->stateListeners, listenerFreeValue);
    std::free(keyboard->behaviors);
    keyboard->behaviorCount = 0;
    std::free(keyboard);
}

bool keyboardAddKeyListener(Keyboard *keyboard, KeyboardTextListener function, void *userValue)
{
    return keyboard
        && listenerAppend(keyboard->textListeners, reinterpret_cast<ListenerFunction>(function), userValue);
}

bool addListener(Keyboard *keyboard, KeyboardKeysymListener function, void *userValue)
{
    return keyboard
        && listenerAppend(keyboard->keysymListeners, reinterpret_cast<ListenerFunction>(function), userValue);
}

bool keyboardAddStateListener(Keyboard *keyboard, KeyboardStateListener function, void *userValue)
{
    return keyboard
        && listenerAppend(keyboard->stateListeners, reinterpret_cast<ListenerFunction>(function), userValue);
}

bool keyboardAddLayout(Keyboard *keyboard, KeyboardLayout *layout)
{
    if (!keyboard || !layout)
        return false;
    if (layout->keyboard == keyboard)
        return true;
    if (layout->keyboard && !keyboardRemoveLayout(layout->keyboard, layout))
        return false;
    if (!listAppend(keyboard->layouts, layout))
        return false;
    layout->keyboard = keyboard;
    return true;
}

bool keyboardRemoveLayout(Keyboard *keyboard, KeyboardLayout *layout)
{
    if (!keyboard || !layout || layout->keyboard != keyboard)
        return false;
    if (!listRemove(keyboard->layouts, layout, nullptr))
        return false;
    layout->keyboard = nullptr;
    if (keyboard->currentLayout == layout)
        keyboard->currentLayout = nullptr;
    return true;
}

KeyboardLayout *keyboardFindById(const Keyboard *keyboard, const char *id)
{
    if (!keyboard || !id || !*id || listIsEmpty(keyboard->layouts))
        return nullptr;
    for (ListNode *node = keyboard->layouts->head; node; node = node->next) {
        auto *layout = static_cast<KeyboardLayout *>(node->value);
        if (std::strcmp(layout->id, id) == 0)
            return layout;
    }
    return nullptr;
}

bool keyboardSelectLayout(Keyboard *keyboard, const char *id)
{
    KeyboardLayout *layout = keyboardFindById(keyboard, id);
    if (!layout)
        return false;
    KeyboardLayout *previous = keyboard->currentLayout;
    keyboard->currentLayout = layout;
    keyboard->setMask = keyboard->latchedMask = keyboard->lockedMask = 0;
    layoutRefresh(layout);
    notifyState(keyboard);
    if (previous)
        layoutRefresh(previous);
    layoutRefresh(layout);
    return true;
}

KeyboardLayout *keyboardCurrentLayout(const Keyboard *keyboard)
{
    return keyboard ? keyboard->currentLayout : nullptr;
}

uint32_t keyboardModifierState(const Keyboard *keyboard)
{
    if (!keyboard)
        return 0;
    return keyboard->setMask | keyboard->latchedMask | keyboard->lockedMask;
}

uint32_t keyboardHasModifier(const Keyboard *keyboard, uint32_t mask)
{
    return keyboardModifierState(keyboard) & mask;
}

int32_t keyboardAddBehavior(Keyboard *keyboard, const KeyBehavior *behavior)
{
    if (!keyboard || !behavior)
        return -1;
    for (uint32_t i = 0; i < keyboard->behaviorCount; ++i) {
        if (std::memcmp(&keyboard->behaviors[i], behavior, sizeof(KeyBehavior)) == 0)
            return int32_t(i);
    }
    const size_t size = (keyboard->behaviorCount + 1) * sizeof(KeyBehavior);
    auto *behaviors = static_cast<KeyBehavior *>(std::realloc(keyboard->behaviors, size));
    if (!behaviors)
        return -1;
    keyboard->behaviors = behaviors;
    std::memcpy(&behaviors[keyboard->behaviorCount], behavior, sizeof(KeyBehavior));
    return int32_t(keyboard->behaviorCount++);
}

const KeyBehavior *keyboardBehaviorAt(const Keyboard *keyboard, int32_t index)
{
    if (!keyboard || index < 0 || uint32_t(index) >= keyboard->behaviorCount)
        return nullptr;
    return &keyboard->behaviors[index];
}

void keyboardActivateKey(Keyboard *keyboard, Key *key)
{
    const uint32_t latched = keyboard->latchedMask;
    keyActivate(key);
    if (keyboard->latchedMask != latched)
        return;
    keyboard->latchedMask = 0;
    layoutRefresh(keyboard->currentLayout);
    notifyState(keyboard);
}

void keyboardEmitText(Keyboard *keyboard, const char *text, size_t length)
{
    TextArguments arguments{keyboard, text, length};
    listenerNotifyUntilConsumed(keyboard->textListeners, callTextListener, &arguments);
}

void keyboardEmitKeysym(Keyboard *keyboard, uint32_t keysym, uint32_t modifiers)
{
    KeysymArguments arguments{keyboard, keysym, modifiers};
    listenerNotifyUntilConsumed(keyboard->keysymListeners, callKeysymListener, &arguments);
}

void keyboardChangeModifiers(Keyboard *keyboard, KeyboardModifierKind kind, uint32_t mask,
                             bool active)
{
    uint32_t *masks[] = {&keyboard->setMask, &keyboard->latchedMask, &keyboard->lockedMask};
    uint32_t &target = *masks[kind];
    target = active ? target | mask : target & ~mask;
    layoutRefresh(keyboard->currentLayout);
    notifyState(keyboard);
}
