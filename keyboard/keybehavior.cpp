#include "keyboard/keybehavior.h"

#include <cstring>

void keyBehaviorClear(KeyBehavior *behavior)
{
    std::memset(behavior, 0, sizeof(KeyBehavior));
}

void keyBehaviorAssign(KeyBehavior *behavior, uint32_t combination, uint8_t variantIndex)
{
    combination &= 0xFF;
    behavior->mask |= combination;
    behavior->table[combination] = variantIndex;
}

void keyBehaviorAssignAll(KeyBehavior *behavior, uint8_t variantIndex)
{
    for (uint32_t combination = 0; combination < 256; ++combination)
        keyBehaviorAssign(behavior, combination, variantIndex);
}

uint8_t keyBehaviorVariantIndex(const KeyBehavior *behavior, uint32_t modifiers)
{
    return behavior->table[behavior->mask & modifiers & 0xFF];
}
