#include "keyboard/keyvariant.h"

#include <cstdlib>
#include <cstring>

char *keyboardStringCopy(const char *text)
{
    if (!text)
        return nullptr;
    const size_t size = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

KeyVariant *keyVariantCreate(const char *label, KeyAction action, void *argument,
                             KeyArgumentFree freeArgument)
{
    auto *variant = static_cast<KeyVariant *>(std::calloc(1, sizeof(KeyVariant)));
    if (!variant)
        return nullptr;
    if (label && !(variant->label = keyboardStringCopy(label))) {
        std::free(variant);
        return nullptr;
    }
    keyVariantSetAction(variant, action, argument, freeArgument);
    return variant;
}

bool keyVariantSetAction(KeyVariant *variant, KeyAction action, void *argument,
                         KeyArgumentFree freeArgument)
{
    if (!variant)
        return false;
    if (variant->freeArgument)
        variant->freeArgument(variant->argument);
    variant->action = action;
    variant->argument = action ? argument : nullptr;
    variant->freeArgument = action ? freeArgument : nullptr;
    return true;
}

void keyVariantFree(KeyVariant *variant)
{
    if (!variant)
        return;
    keyVariantSetAction(variant, nullptr, nullptr, nullptr);
    std::free(variant->label);
    std::free(variant);
}

const char *keyVariantLabel(const KeyVariant *variant)
{
    return variant ? variant->label : nullptr;
}

void *keyVariantArgument(const KeyVariant *variant)
{
    return variant && variant->action ? variant->argument : nullptr;
}
