#pragma once

#include <cstddef>
#include <cstdint>

struct Key;
struct KeyBehavior;
struct KeyboardLayout;
struct List;

// Layouts, modifier state, listeners and the shared key behaviour table.
struct Keyboard {
    List *layouts;                 // KeyboardLayout, owned
    KeyboardLayout *currentLayout; // null until one is selected
    uint32_t setMask;              // held by keys that are down
    uint32_t latchedMask;          // for the next key only
    uint32_t lockedMask;           // until unlocked
    List *textListeners;
    List *keysymListeners;
    List *stateListeners;
    KeyBehavior *behaviors;
    uint32_t behaviorCount;
};

using KeyboardTextListener = bool (*)(Keyboard *keyboard, const char *text, size_t length,
                                      void *userValue);
using KeyboardKeysymListener = bool (*)(Keyboard *keyboard, uint32_t keysym, uint32_t modifiers,
                                        void *userValue);
using KeyboardStateListener = bool (*)(Keyboard *keyboard, void *userValue);

enum KeyboardModifierKind { ModifierSet, ModifierLatched, ModifierLocked };

Keyboard *keyboardCreate();
void keyboardFree(Keyboard *keyboard);

bool keyboardAddKeyListener(Keyboard *keyboard, KeyboardTextListener function, void *userValue);
bool addListener(Keyboard *keyboard, KeyboardKeysymListener function, void *userValue);
bool keyboardAddStateListener(Keyboard *keyboard, KeyboardStateListener function, void *userValue);

bool keyboardAddLayout(Keyboard *keyboard, KeyboardLayout *layout);
bool keyboardRemoveLayout(Keyboard *keyboard, KeyboardLayout *layout);
KeyboardLayout *keyboardFindById(const Keyboard *keyboard, const char *id);
bool keyboardSelectLayout(Keyboard *keyboard, const char *id);
KeyboardLayout *keyboardCurrentLayout(const Keyboard *keyboard);

uint32_t keyboardModifierState(const Keyboard *keyboard);
uint32_t keyboardHasModifier(const Keyboard *keyboard, uint32_t mask);

int32_t keyboardAddBehavior(Keyboard *keyboard, const KeyBehavior *behavior);
const KeyBehavior *keyboardBehaviorAt(const Keyboard *keyboard, int32_t index);

// Used by keys and their actions.
void keyboardActivateKey(Keyboard *keyboard, Key *key);
void keyboardEmitText(Keyboard *keyboard, const char *text, size_t length);
void keyboardEmitKeysym(Keyboard *keyboard, uint32_t keysym, uint32_t modifiers);
void keyboardChangeModifiers(Keyboard *keyboard, KeyboardModifierKind kind, uint32_t mask,
                             bool active);
