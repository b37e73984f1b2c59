#pragma once

#include "platform/wintypes.h"

#include <QBasicTimer>
#include <QHash>
#include <QList>
#include <QObject>

struct _XDisplay;

// Keyboard input records typed on an X11 display through XTest. A character is typed with the
// key and shift level that give it in the current layout group; a character the layout lacks is
// typed through a spare key code lent to its key symbol, and the lent codes are given back once
// typing pauses. Virtual keys press the keys of their symbols. The modifiers the user holds are
// set aside for a character and put back after it.
class X11Keyboard final : public QObject
{
public:
    explicit X11Keyboard(_XDisplay *display, QObject *parent = nullptr);
    X11Keyboard(const X11Keyboard &) = delete;
    X11Keyboard &operator=(const X11Keyboard &) = delete;
    ~X11Keyboard() override;

    // Types one record; false when no key gives it.
    bool send(const KEYBDINPUT &key);
    // Gives every lent key code back to the keyboard map now.
    void restoreKeys();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct Key
    {
        unsigned keycode = 0;
        bool shift = false;
    };

    bool typeCharacter(char32_t codePoint);
    bool sendVirtualKey(WORD virtualKey, bool down);
    // The key giving the symbol in the current group at the first or shift level, or with
    // `anyGroup` at the first level of any group.
    bool findKey(unsigned long keysym, bool anyGroup, Key *key) const;
    bool lendKey(unsigned long keysym, Key *key);
    unsigned spareKeycode() const;
    void tap(const Key &key);
    void fakeKey(unsigned keycode, bool down);
    bool isDown(unsigned keycode) const;
    QList<unsigned> heldKeys(int modifierIndex) const;
    void loadMap();

    _XDisplay *m_display;
    void *m_map = nullptr; // XkbDescPtr
    QHash<unsigned long, unsigned> m_lent; // key symbol -> lent key code
    QList<unsigned> m_lentOrder;           // oldest first
    QHash<WORD, unsigned> m_pressed;       // virtual key -> key code pressed, 0: held already
    char16_t m_highSurrogate = 0;
    QBasicTimer m_restoreTimer;
};
