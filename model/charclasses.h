#pragma once

#include <QChar>
#include <QString>

class ResultNode;

// Fixed classes of UTF-16 code units used for spacing, joining, width
// toggling and Arabic shaping. A surrogate pair is seen as two units.
// The classes overlap.
enum CharClass {
    EastAsianClass = 0,          // CJK, Hangul, Kana, full-width forms, high surrogates
    CjkPunctuationClass = 1,     // full-width and CJK punctuation
    EastAsianNoHangulClass = 2,  // class 0 without Hangul
    ArabicClass = 3,             // Arabic blocks and presentation forms
    ArabicDigitClass = 4,
    ArabicPunctuationClass = 5,
    LatinSymbolClass = 6,        // ASCII and Latin-1 symbols, U+0040 included
    AsciiPunctuationClass = 7,   // ASCII punctuation but U+0040
    AsciiGraphicClass = 8,       // visible ASCII but U+0040
    BracketClass = 9,            // ( ) { } [ ] < >
    GeneralPunctuationClass = 10
};

enum ArabicJoining { NonJoining = 0, RightJoining = 1, DualJoining = 2 };

// A class outside 0 .. 10 holds no character.
bool isCharOfClass(QChar c, int cls);
bool isAsciiGraphic(QChar c);
bool isBracket(QChar c);

// Characters outside the Arabic ranges are dual-joining.
bool hasArabicJoiningType(QChar c, int type);

QChar mirroredBracket(QChar c);
// Swaps the visible ASCII characters but U+0040 with U+FF01 .. U+FF5E.
QChar toggleCharWidth(QChar c);

// An Arabic fragment shown alone with the joined shapes it has between
// before and after: zero-width joiners on the sides that join. direction
// 2 is right to left.
QString arabicJoinedText(const QString &text, int direction, const QString &before,
                         const QString &after);

// Whether the candidate a, ending the left part, and b, starting the
// right part, may be glued into one word.
bool canJoin(const ResultNode &a, const ResultNode &b);
