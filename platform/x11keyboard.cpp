#include "platform/x11keyboard.h"

#include <QThread>
#include <QTimerEvent>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// Lent key codes go back this long after the last character that needed one: a client reads
// the new map only when it handles the change, so a lent code keeps its symbol a while.
constexpr int restoreDelay = 1000;
// A lent code taken for another symbol first leaves clients this long to finish the last one.
constexpr unsigned long reuseDelay = 50;

struct VirtualKey
{
    WORD code;
    unsigned long keysym;
};

constexpr VirtualKey virtualKeys[] = {
    {8, XK_BackSpace},   {9, XK_Tab},         {13, XK_Return},     {16, XK_Shift_L},
    {17, XK_Control_L},  {18, XK_Alt_L},      {19, XK_Pause},      {20, XK_Caps_Lock},
    {27, XK_Escape},     {32, XK_space},      {33, XK_Prior},      {34, XK_Next},
    {35, XK_End},        {36, XK_Home},       {37, XK_Left},       {38, XK_Up},
    {39, XK_Right},      {40, XK_Down},       {44, XK_Print},      {45, XK_Insert},
    {46, XK_Delete},     {91, XK_Super_L},    {92, XK_Super_R},    {93, XK_Menu},
    {160, XK_Shift_L},   {161, XK_Shift_R},   {162, XK_Control_L}, {163, XK_Control_R},
    {164, XK_Alt_L},     {165, XK_Alt_R},
};

unsigned long virtualKeySymbol(WORD code)
{
    if (code >= '0' && code <= '9')
        return XK_0 + (code - '0');
    if (code >= 'A' && code <= 'Z')
        return XK_a + (code - 'A');
    if (code >= 112 && code <= 123)
        return XK_F1 + (code - 112);
    for (const VirtualKey &key : virtualKeys) {
        if (key.code == code)
            return key.keysym;
    }
    return NoSymbol;
}

bool isModifierSymbol(unsigned long keysym)
{
    return IsModifierKey(keysym);
}

// The key symbol of a character: Latin-1 symbols for Latin-1, Unicode symbols beyond it, the
// keys' own symbols for the control characters that have keys.
unsigned long characterSymbol(char32_t codePoint)
{
    switch (codePoint) {
    case 0x08:
        return XK_BackSpace;
    case 0x09:
        return XK_Tab;
    case 0x0A:
    case 0x0D:
        return XK_Return;
    case 0x1B:
        return XK_Escape;
    case 0x7F:
        return XK_Delete;
    default:
        break;
    }
    if ((codePoint >= 0x20 && codePoint < 0x7F) || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return codePoint;
    if (codePoint < 0xA0 || (codePoint >= 0xD800 && codePoint < 0xE000) || codePoint > 0x10FFFF)
        return NoSymbol;
    return 0x01000000 + codePoint;
}

XkbDescPtr desc(void *map)
{
    return static_cast<XkbDescPtr>(map);
}

} // namespace

X11Keyboard::X11Keyboard(_XDisplay *display, QObject *parent)
    : QObject(parent), m_display(display)
{
}

X11Keyboard::~X11Keyboard()
{
    restoreKeys();
    if (m_map)
        XkbFreeKeyboard(desc(m_map), 0, True);
}

bool X11Keyboard::send(const KEYBDINPUT &key)
{
    const bool down = !(key.dwFlags & KEYEVENTF_KEYUP);
    if (!(key.dwFlags & KEYEVENTF_UNICODE))
        return sendVirtualKey(key.wVk, down);
    // A character is typed whole on its key-down record.
    if (!down)
        return true;
    const char16_t unit = key.wScan;
    if (QChar::isHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return true;
    }
    char32_t codePoint = unit;
    if (QChar::isLowSurrogate(unit)) {
        if (!m_highSurrogate)
            return false;
        codePoint = QChar::surrogateToUcs4(m_highSurrogate, unit);
    }
    m_highSurrogate = 0;
    return typeCharacter(codePoint);
}

bool X11Keyboard::typeCharacter(char32_t codePoint)
{
    const unsigned long keysym = characterSymbol(codePoint);
    if (keysym == NoSymbol)
        return false;
    loadMap();
    Key key;
    if (!findKey(keysym, false, &key) && !lendKey(keysym, &key))
        return false;
    if (!m_lentOrder.isEmpty())
        m_restoreTimer.start(restoreDelay, this);
    tap(key);
    return true;
}

bool X11Keyboard::sendVirtualKey(WORD virtualKey, bool down)
{
    if (!down && m_pressed.contains(virtualKey)) {
        if (const unsigned keycode = m_pressed.take(virtualKey))
            fakeKey(keycode, false);
        return true;
    }
    const unsigned long keysym = virtualKeySymbol(virtualKey);
    if (keysym == NoSymbol)
        return false;
    loadMap();
    Key key;
    if (!findKey(keysym, false, &key) && !findKey(keysym, true, &key)
        && (isModifierSymbol(keysym) || !lendKey(keysym, &key)))
        return false;
    // A key the user holds already stays as it is: neither pressed again nor released.
    if (down && isDown(key.keycode)) {
        m_pressed.insert(virtualKey, 0);
        return true;
    }
    fakeKey(key.keycode, down);
    if (down)
        m_pressed.insert(virtualKey, key.keycode);
    return true;
}

bool X11Keyboard::findKey(unsigned long keysym, bool anyGroup, Key *key) const
{
    const XkbDescPtr xkb = desc(m_map);
    if (!xkb)
        return false;
    XkbStateRec state;
    XkbGetState(m_display, XkbUseCoreKbd, &state);
    bool shifted = false;
    for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
        const int groups = XkbKeyNumGroups(xkb, keycode);
        for (int group = 0; group < groups; ++group) {
            const int current = state.group % groups;
            if (!anyGroup && group != current)
                continue;
            const XkbKeyTypePtr type = XkbKeyKeyType(xkb, keycode, group);
            const int levels = anyGroup ? 1 : std::min<int>(type->num_levels, 2);
            for (int level = 0; level < levels; ++level) {
                if (XkbKeySymEntry(xkb, keycode, level, group) != keysym)
                    continue;
                if (level == 0) {
                    *key = Key{unsigned(keycode), false};
                    return true;
                }
                for (int e = 0; e < type->map_count && !shifted; ++e) {
                    const XkbKTMapEntryRec &entry = type->map[e];
                    if (entry.active && entry.level == 1 && entry.mods.mask == ShiftMask) {
                        *key = Key{unsigned(keycode), true};
                        shifted = true;
                    }
                }
            }
        }
    }
    return shifted;
}

bool X11Keyboard::lendKey(unsigned long keysym, Key *key)
{
    unsigned keycode = spareKeycode();
    if (!keycode) {
        if (m_lentOrder.isEmpty())
            return false;
        keycode = m_lentOrder.takeFirst();
        m_lent.remove(m_lent.key(keycode));
        QThread::msleep(reuseDelay);
    }
    KeySym symbols[2] = {keysym, keysym};
    XChangeKeyboardMapping(m_display, int(keycode), 2, symbols, 1);
    XSync(m_display, False);
    m_lent.insert(keysym, keycode);
    m_lentOrder << keycode;
    m_restoreTimer.start(restoreDelay, this);
    *key = Key{keycode, false};
    return true;
}

// The highest key code with no symbols and no modifier that is not lent already.
unsigned X11Keyboard::spareKeycode() const
{
    const XkbDescPtr xkb = desc(m_map);
    if (!xkb)
        return 0;
    for (int keycode = xkb->max_key_code; keycode >= xkb->min_key_code; --keycode) {
        if (XkbKeyNumSyms(xkb, keycode) == 0 && xkb->map->modmap[keycode] == 0
            && !m_lentOrder.contains(unsigned(keycode)))
            return unsigned(keycode);
    }
    return 0;
}

// Presses and releases the key with the shift it needs and no caps lock, then puts the
// modifiers back as they were.
void X11Keyboard::tap(const Key &key)
{
    XkbStateRec state;
    XkbGetState(m_display, XkbUseCoreKbd, &state);
    const bool shiftOn = state.mods & ShiftMask;
    unsigned unlock = state.locked_mods & LockMask;
    bool lockShift = false;
    QList<unsigned> released;
    if (key.shift && !shiftOn) {
        lockShift = true;
    } else if (!key.shift && shiftOn) {
        unlock |= state.locked_mods & ShiftMask;
        if (state.base_mods & ShiftMask)
            released = heldKeys(ShiftMapIndex);
        if (state.latched_mods & ShiftMask)
            XkbLatchModifiers(m_display, XkbUseCoreKbd, ShiftMask, 0);
    }
    if (unlock)
        XkbLockModifiers(m_display, XkbUseCoreKbd, unlock, 0);
    if (lockShift)
        XkbLockModifiers(m_display, XkbUseCoreKbd, ShiftMask, ShiftMask);
    for (unsigned keycode : std::as_const(released))
        fakeKey(keycode, false);
    fakeKey(key.keycode, true);
    fakeKey(key.keycode, false);
    for (unsigned keycode : std::as_const(released))
        fakeKey(keycode, true);
    if (lockShift)
        XkbLockModifiers(m_display, XkbUseCoreKbd, ShiftMask, 0);
    if (unlock)
        XkbLockModifiers(m_display, XkbUseCoreKbd, unlock, unlock);
    XSync(m_display, False);
}

void X11Keyboard::fakeKey(unsigned keycode, bool down)
{
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
    XSync(m_display, False);
}

bool X11Keyboard::isDown(unsigned keycode) const
{
    char down[32];
    XQueryKeymap(m_display, down);
    return down[keycode / 8] & (1 << (keycode % 8));
}

// The keys of the modifier that are down now.
QList<unsigned> X11Keyboard::heldKeys(int modifierIndex) const
{
    QList<unsigned> keys;
    char down[32];
    XQueryKeymap(m_display, down);
    XModifierKeymap *modifiers = XGetModifierMapping(m_display);
    if (!modifiers)
        return keys;
    for (int i = 0; i < modifiers->max_keypermod; ++i) {
        const unsigned keycode =
            modifiers->modifiermap[modifierIndex * modifiers->max_keypermod + i];
        if (keycode && (down[keycode / 8] & (1 << (keycode % 8))))
            keys << keycode;
    }
    XFreeModifiermap(modifiers);
    return keys;
}

void X11Keyboard::loadMap()
{
    if (m_map)
        XkbFreeKeyboard(desc(m_map), 0, True);
    m_map = XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask,
                      XkbUseCoreKbd);
}

void X11Keyboard::restoreKeys()
{
    m_restoreTimer.stop();
    if (m_lentOrder.isEmpty())
        return;
    for (unsigned keycode : std::as_const(m_lentOrder)) {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(m_display, int(keycode), 1, &none, 1);
    }
    XSync(m_display, False);
    m_lent.clear();
    m_lentOrder.clear();
}

void X11Keyboard::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_restoreTimer.timerId())
        restoreKeys();
    else
        QObject::timerEvent(event);
}
