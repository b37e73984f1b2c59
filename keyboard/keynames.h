#pragma once

#include <cstddef>
#include <cstdint>

// Modifier masks of the layout documents.
enum KeyModifier : uint32_t {
    ModifierShift = 1,
    ModifierLock = 2,
    ModifierControl = 4,
    ModifierMod1 = 8,
    ModifierMod2 = 16,
    ModifierMod3 = 32,
    ModifierMod4 = 64,
    ModifierMod5 = 128,
};

// Names are compared without regard to case; false for an unknown name.
bool modifierMaskByName(const char *name, size_t length, uint32_t *mask);
bool keysymByName(const char *name, size_t length, uint32_t *keysym);

// ASCII comparison without regard to case of a counted name with a
// zero-terminated one.
bool keyNameEquals(const char *name, size_t length, const char *other);
