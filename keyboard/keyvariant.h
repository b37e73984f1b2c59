#pragma once

struct Key;
struct KeyVariant;

using KeyAction = void (*)(Key *key, KeyVariant *variant, void *argument);
using KeyArgumentFree = void (*)(void *argument);

// What a key shows and does under one modifier combination.
struct KeyVariant {
    char *label;                  // owned, may be null
    KeyAction action;             // may be null
    void *argument;               // handed to the action
    KeyArgumentFree freeArgument; // may be null
};

KeyVariant *keyVariantCreate(const char *label, KeyAction action, void *argument,
                             KeyArgumentFree freeArgument);
bool keyVariantSetAction(KeyVariant *variant, KeyAction action, void *argument,
                         KeyArgumentFree freeArgument);
void keyVariantFree(KeyVariant *variant);
const char *keyVariantLabel(const KeyVariant *variant);
void *keyVariantArgument(const KeyVariant *variant);

// Owned copy of a zero-terminated string; null stays null.
char *keyboardStringCopy(const char *text);
