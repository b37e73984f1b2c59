#pragma once

#include <cstdint>

// Which variant of a key each modifier combination selects. Compared and
// copied as a whole; keys with equal behaviours share one table record.
struct KeyBehavior {
    uint32_t mask;        // OR of every assigned combination
    uint8_t table[256];   // variant index per combination
};
static_assert(sizeof(KeyBehavior) == 260, "KeyBehavior is compared byte for byte");

void keyBehaviorClear(KeyBehavior *behavior);
void keyBehaviorAssign(KeyBehavior *behavior, uint32_t combination, uint8_t variantIndex);
void keyBehaviorAssignAll(KeyBehavior *behavior, uint8_t variantIndex);
uint8_t keyBehaviorVariantIndex(const KeyBehavior *behavior, uint32_t modifiers);
