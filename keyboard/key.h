#pragma once

#include <cstdint>

struct Keyboard;
struct KeyboardLayout;
struct KeyVariant;
struct List;

enum KeyType : int32_t { KeyTypeNormal = 0, KeyTypeToggle = 1 };
enum KeyState : int32_t { KeyStateUp = 0, KeyStateDown = 1 };

// Largest number of variants a key holds (the count is 8-bit).
constexpr uint8_t KeyMaxVariants = 255;

struct Key {
    int32_t type;
    int32_t state;
    KeyVariant **variants;
    uint8_t variantCount;
    int32_t behaviorIndex;   // into the keyboard's behaviour table, -1 for none
    KeyboardLayout *layout;  // null while detached
    List *listeners;         // KeyListener, after press, release and refresh
};

using KeyListener = bool (*)(Key *key, void *userValue);

Key *keyCreate(int32_t type);
void keyClear(Key *key);
void keyFree(Key *key);
bool keyAppendVariant(Key *key, KeyVariant *variant);
bool keySetBehaviorIndex(Key *key, int32_t index);
bool addListener(Key *key, KeyListener function, void *userValue);

int32_t keyType(const Key *key);
int32_t keyState(const Key *key);
void keySetState(Key *key, int32_t state);
uint8_t keyVariantCount(const Key *key);
KeyVariant *keyVariantAt(const Key *key, int index);
int32_t keyBehaviorIndex(const Key *key);
KeyboardLayout *keyLayout(const Key *key);
Keyboard *keyKeyboard(const Key *key);

KeyVariant *keyCurrentVariant(const Key *key);
bool keyActivate(Key *key);
void keyPress(Key *key);
void keyRelease(Key *key);
void keyNotifyListeners(Key *key);
