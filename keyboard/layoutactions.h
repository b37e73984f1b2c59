#pragma once

#include <cstdint>

struct Key;
struct KeyBehavior;
struct KeyVariant;

// Stores the action that a layout document's action text names in the
// variant: keysym(...), glyph(...), glyph, setModifier(...),
// latchModifier(...), lockModifier(...); other text is accepted with no
// action. False for a malformed form. A toggle key with a modifier action
// also gets a listener that keeps its state in line with the modifier.
bool parseLayoutAction(Key *key, KeyVariant *variant, const char *text);

// Assigns the variant index to every combination of a modifiers value
// ("any" or names joined by "+" and alternatives by "|"). False for an
// unknown modifier name.
bool parseModifierCombinations(KeyBehavior *behavior, const char *text, uint8_t variantIndex);
