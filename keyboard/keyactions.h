#pragma once

#include <cstddef>
#include <cstdint>

struct Key;
struct KeyVariant;

// Argument of textAction: an owned text and its length in bytes.
struct KeyTextArgument {
    char *text;
    size_t length;
};

// Argument of keysymAction.
struct KeysymArgument {
    uint32_t keysym;
    uint32_t modifiers;
};

KeyTextArgument *keyTextArgumentCreate(const char *text, size_t length);
void keyTextArgumentFree(void *argument);
KeysymArgument *keysymArgumentCreate(uint32_t keysym, uint32_t modifiers);
void keysymArgumentFree(void *argument);

// The modifier actions take the mask itself as their argument.
void *modifierArgument(uint32_t mask);
uint32_t modifierArgumentMask(const void *argument);

void textAction(Key *key, KeyVariant *variant, void *argument);
void keysymAction(Key *key, KeyVariant *variant, void *argument);
void setModifierAction(Key *key, KeyVariant *variant, void *argument);
void latchModifierAction(Key *key, KeyVariant *variant, void *argument);
void lockModifierAction(Key *key, KeyVariant *variant, void *argument);
