#include "keyboard/keyboardlayout.h"

#include "keyboard/key.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"

#include <cstdlib>

namespace {

void freeDetachedKey(void *value)
{
    auto *key = static_cast<Key *>(value);
    key->layout = nullptr;
    keyFree(key);
}

bool refreshKey(void *key, void *)
{
    keyNotifyListeners(static_cast<Key *>(key));
    return true;
}

} // namespace

KeyboardLayout *keyboardLayoutCreate(const char *id)
{
    if (!id || !*id)
        return nullptr;
    auto *layout = static_cast<KeyboardLayout *>(std::calloc(1, sizeof(KeyboardLayout)));
    if (!layout)
        return nullptr;
    layout->id = keyboardStringCopy(id);
    layout->keys = listCreate();
    if (!layout->id || !layout->keys) {
        std::free(layout->id);
        listFree(layout->keys, nullptr);
        std::free(layout);
        return nullptr;
    }
    return layout;
}

void keyboardLayoutFree(KeyboardLayout *layout)
{
    if (!layout)
        return;
    if (layout->keyboard)
        keyboardRemoveLayout(layout->keyboard, layout);
    std::free(layout->id);
    listFree(layout->keys, freeDetachedKey);
    std::free(layout);
}

bool layoutAddKey(KeyboardLayout *layout, Key *key)
{
    if (!layout || !key)
        return false;
    if (key->layout == layout)
        return true;
    if (key->layout && !layoutRemoveKey(key->layout, key))
        return false;
    if (!listAppend(layout->keys, key))
        return false;
    key->layout = layout;
    return true;
}

bool layoutRemoveKey(KeyboardLayout *layout, Key *key)
{
    if (!layout || !key || key->layout != layout)
        return false;
    if (!listRemove(layout->keys, key, nullptr))
        return false;
    key->layout = nullptr;
    return true;
}

void layoutRefresh(KeyboardLayout *layout)
{
    if (layout)
        listForEach(layout->keys, refreshKey, nullptr);
}

const char *keyboardLayoutId(const KeyboardLayout *layout)
{
    return layout ? layout->id : nullptr;
}

Keyboard *keyboardLayoutKeyboard(const KeyboardLayout *layout)
{
    return layout ? layout->keyboard : nullptr;
}

const List *keyboardLayoutKeys(const KeyboardLayout *layout)
{
    return layout ? layout->keys : nullptr;
}
