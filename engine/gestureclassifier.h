#pragma once

#include "engine/inkpoint.h"

#include <string>

namespace zk {

// Edit gestures of one stroke, by shape:
//   straight left to right "-" (strike), straight right to left U+F0002 (backspace),
//   down-right-up U+F0003 (space), down then left U+F0004 (return),
//   zig-zag of five or more legs "W" (scribble), vertical "|", diagonals "/" "\", bows "(" ")" (insert marks).
// Anything else gives the empty label.
class GestureClassifier
{
public:
    static std::string classify(const InkStrokes &ink);

    static const char *backspace; // UTF-8 of U+F0002
    static const char *space;     // U+F0003
    static const char *newline;   // U+F0004

private:
    static int reversals(const InkStroke &s, bool horizontal, float hysteresis);
};

} // namespace zk
