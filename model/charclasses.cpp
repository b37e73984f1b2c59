#include "model/charclasses.h"

#include "model/resultnode.h"

#include <QStringView>

#include <algorithm>

namespace {

struct Range
{
    char16_t first;
    char16_t last;
};

const Range eastAsian[] = {
    {0xFF00, 0xFF60}, {0x4E00, 0x9FFF}, {0x3000, 0x303F}, {0x3400, 0x4DBF},
    {0x3100, 0x312F}, {0x31A0, 0x31BF}, {0x1100, 0x11FF}, {0x3130, 0x318F},
    {0xAC00, 0xD7AF}, {0x3040, 0x30FF}, {0x31F0, 0x31FF}, {0xD800, 0xDBFF},
};
const Range cjkPunctuation[] = {
    {0x3000, 0x303F}, {0xFF01, 0xFF0F}, {0xFF1A, 0xFF20}, {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65},
};
const Range hangul[] = {
    {0x1100, 0x11FF}, {0x3130, 0x318F}, {0xAC00, 0xD7AF},
};
const Range arabic[] = {
    {0x0600, 0x06FF}, {0x0750, 0x077F}, {0xFB50, 0xFDFF}, {0xFE70, 0xFEFC},
};
const Range arabicDigits[] = {
    {0x0660, 0x0669}, {0x06F0, 0x06F9},
};
const Range arabicPunctuation[] = {
    {0x0608, 0x060F}, {0x061B, 0x061B}, {0x061E, 0x061F}, {0x066A, 0x066D}, {0x06D4, 0x06D4},
};
const Range latinSymbols[] = {
    {0x0021, 0x002F}, {0x003A, 0x0040}, {0x005B, 0x0060}, {0x007B, 0x007E},
    {0x00A1, 0x00BF}, {0x00D7, 0x00D7}, {0x00F7, 0x00F7},
};
const Range asciiPunctuation[] = {
    {0x0021, 0x002F}, {0x003A, 0x003F}, {0x005B, 0x0060}, {0x007B, 0x007E},
};
const Range asciiGraphic[] = {
    {0x0021, 0x003F}, {0x0041, 0x007E},
};
const Range generalPunctuation[] = {
    {0x2001, 0x22FE}, {0xFF5B, 0xFF65},
};
const Range rightJoining[] = {
    {0x0622, 0x0625}, {0x0627, 0x0627}, {0x062F, 0x0632}, {0x0648, 0x0648},
    {0x0671, 0x0677}, {0x0688, 0x0699}, {0x06C4, 0x06CB}, {0x06CF, 0x06CF},
    {0x06EE, 0x06EF},
};
const Range nonJoiningLetters[] = {
    {0x0621, 0x0621}, {0x0629, 0x0629}, {0x06D4, 0x06D4},
};

template <std::size_t N>
bool inRanges(QChar c, const Range (&ranges)[N])
{
    const char16_t u = c.unicode();
    for (const Range &r : ranges) {
        if (u >= r.first && u <= r.last)
            return true;
    }
    return false;
}

constexpr QStringView brackets = u"(){}[]<>";

int arabicJoiningType(QChar c)
{
    if (isCharOfClass(c, ArabicDigitClass) || isCharOfClass(c, ArabicPunctuationClass)
        || inRanges(c, nonJoiningLetters)) {
        return NonJoining;
    }
    return inRanges(c, rightJoining) ? RightJoining : DualJoining;
}

bool isArabicOrDigit(QChar c)
{
    return isCharOfClass(c, ArabicClass) || isCharOfClass(c, ArabicDigitClass);
}

// The last character of text, or a space when it is empty.
QChar lastOrSpace(const QString &text)
{
    return text.isEmpty() ? QChar(u' ') : text.back();
}

QChar firstOrSpace(const QString &text)
{
    return text.isEmpty() ? QChar(u' ') : text.front();
}

} // namespace

bool isCharOfClass(QChar c, int cls)
{
    switch (cls) {
    case EastAsianClass:
        return inRanges(c, eastAsian);
    case CjkPunctuationClass:
        return inRanges(c, cjkPunctuation);
    case EastAsianNoHangulClass:
        return inRanges(c, eastAsian) && !inRanges(c, hangul);
    case ArabicClass:
        return inRanges(c, arabic);
    case ArabicDigitClass:
        return inRanges(c, arabicDigits);
    case ArabicPunctuationClass:
        return inRanges(c, arabicPunctuation);
    case LatinSymbolClass:
        return inRanges(c, latinSymbols);
    case AsciiPunctuationClass:
        return inRanges(c, asciiPunctuation);
    case AsciiGraphicClass:
        return inRanges(c, asciiGraphic);
    case BracketClass:
        return QStringView(brackets).contains(c);
    case GeneralPunctuationClass:
        return inRanges(c, generalPunctuation);
    default:
        return false;
    }
}

bool isAsciiGraphic(QChar c)
{
    return isCharOfClass(c, AsciiGraphicClass);
}

bool isBracket(QChar c)
{
    return isCharOfClass(c, BracketClass);
}

bool hasArabicJoiningType(QChar c, int type)
{
    return arabicJoiningType(c) == type;
}

QChar mirroredBracket(QChar c)
{
    switch (c.unicode()) {
    case u'(': return QChar(u')');
    case u')': return QChar(u'(');
    case u'[': return QChar(u']');
    case u']': return QChar(u'[');
    case u'{': return QChar(u'}');
    case u'}': return QChar(u'{');
    case u'<': return QChar(u'>');
    case u'>': return QChar(u'<');
    default: return c;
    }
}

QChar toggleCharWidth(QChar c)
{
    constexpr char16_t shift = 0xFEE0;
    if (c.unicode() >= shift) {
        const QChar ascii(char16_t(c.unicode() - shift));
        return isAsciiGraphic(ascii) ? ascii : c;
    }
    return isAsciiGraphic(c) ? QChar(char16_t(c.unicode() + shift)) : c;
}

QString arabicJoinedText(const QString &text, int direction, const QString &before,
                         const QString &after)
{
    if (text.isEmpty())
        return text;
    if (direction == 2 && isBracket(text.front()))
        return QChar(0x202E) + text;
    if (std::none_of(text.begin(), text.end(),
                     [](QChar c) { return isCharOfClass(c, ArabicClass); })) {
        return text;
    }
    const QChar shadda(0x0651);
    QChar prev = lastOrSpace(QString(before).remove(shadda));
    QChar next = firstOrSpace(QString(after).remove(shadda));
    if (hasArabicJoiningType(next, NonJoining))
        next = QChar(u' ');
    if (!hasArabicJoiningType(prev, DualJoining))
        prev = QChar(u' ');

    const QChar joiner(0x200D);
    QString joined = text;
    if (isCharOfClass(prev, ArabicClass))
        joined.prepend(joiner);
    if (isCharOfClass(next, ArabicClass))
        joined.append(joiner);
    return joined;
}

bool canJoin(const ResultNode &a, const ResultNode &b)
{
    for (const ResultNode &n : {a, b}) {
        if (n.isSpace() || n.isNewLine() || (n.wordFlag() & 1))
            return false;
    }
    const QString left = a.label();
    const QString right = b.label();
    if (left.isEmpty() || right.isEmpty())
        return true;
    const QChar x = left.back();
    const QChar y = right.front();
    if (isCharOfClass(x, EastAsianClass) != isCharOfClass(y, EastAsianClass))
        return false;
    if (isArabicOrDigit(x) != isArabicOrDigit(y))
        return false;
    for (const QChar c : {x, y}) {
        for (const int cls : {LatinSymbolClass, CjkPunctuationClass, ArabicPunctuationClass,
                              GeneralPunctuationClass}) {
            if (isCharOfClass(c, cls))
                return false;
        }
    }
    return true;
}
