#pragma once

struct Key;
struct Keyboard;
struct List;

// A named list of keys.
struct KeyboardLayout {
    char *id;            // owned, never empty
    Keyboard *keyboard;  // null while detached
    List *keys;          // Key, owned
};

KeyboardLayout *keyboardLayoutCreate(const char *id);
void keyboardLayoutFree(KeyboardLayout *layout);
bool layoutAddKey(KeyboardLayout *layout, Key *key);
bool layoutRemoveKey(KeyboardLayout *layout, Key *key);
void layoutRefresh(KeyboardLayout *layout);

const char *keyboardLayoutId(const KeyboardLayout *layout);
Keyboard *keyboardLayoutKeyboard(const KeyboardLayout *layout);
const List *keyboardLayoutKeys(const KeyboardLayout *layout);
