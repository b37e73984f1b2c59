#pragma once

#include <QString>

// The special key characters that carry keys and modifiers in result text.
enum class SpecialKey : char32_t {
    Win = 0xF0005,
    Escape = 0xF0006,
    Tab = 0xF0007,
    Shift = 0xF0009,
    Return = 0xF000A,
    Ctrl = 0xF000B,
    Menu = 0xF000C,
    Alt = 0xF000E,
    F1 = 0xF000F, // F2 to F12 follow in order
    Backspace = 0xF001B,
    Delete = 0xF001C,
    Left = 0xF001D,
    Right = 0xF001E,
    Copy = 0xF001F,
    Paste = 0xF0020,
    Insert = 0xF0021,
    Up = 0xF0022,
    Down = 0xF0023,
    SysReq = 0xF0024
};

// The character as text: two UTF-16 units.
QString specialKeyText(SpecialKey key);
