#include "calculator/tokenreader.h"

#include <QLocale>

#include <cmath>

namespace {

const QChar degreeSign(0x00B0);
const double euler = 2.718281828459045;
const double pi = 3.141592653589793;

bool isDigit(QChar c)
{
    return c >= '0' && c <= '9';
}

// Characters after which a minus is a sign rather than a subtraction.
bool isSignPosition(QChar c)
{
    return QStringLiteral(" */([=\u00D7\u00F7").contains(c);
}

bool isOperator(QChar c)
{
    return QStringLiteral("+-*/=\u00D7\u00F7").contains(c);
}

bool isNumberCharacter(QChar c)
{
    return isDigit(c) || c == '.' || c == ',' || c == '\'';
}

int readNumber(TokenReader &reader)
{
    QString text = reader.current;
    QList<int> positions = reader.currentPositions;
    bool comma = reader.current == ',';
    while (isNumberCharacter(reader.next()) && !(comma && reader.next() == ',')) {
        reader.advance();
        comma = comma || reader.current == ',';
        text += reader.current;
        positions += reader.currentPositions;
    }
    reader.currentPositions = positions;
    text.replace(',', '.');
    text.remove('\'');
    reader.invalidNumber = text.count('.') > 1 ? 1 : 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    // An overflowing literal keeps its infinity for the finite check.
    reader.number = ok || std::isinf(value) ? value : 0.0;
    return TokenReader::Number;
}

int readMinus(TokenReader &reader)
{
    const QChar before = reader.previous;
    const QChar after = reader.next();
    if (!isSignPosition(before))
        return TokenReader::Subtraction;
    if (isDigit(after))
        return readNumber(reader);
    if (isOperator(after))
        return TokenReader::Subtraction;
    const bool unary = (before == ' ' && after != ' ' && after != '=')
                       || (before == '[' && after != ']') || (before == '(' && after != ')');
    return unary ? TokenReader::UnaryNegation : TokenReader::Subtraction;
}

int constant(TokenReader &reader, double value)
{
    reader.number = value;
    return TokenReader::Number;
}

int readUnknown(TokenReader &reader)
{
    reader.input[reader.position - 1].character = '?';
    reader.current = '?';
    return TokenReader::Unknown;
}

} // namespace

void TokenReader::advance()
{
    previous = position >= 1 && position - 1 < input.size() ? input[position - 1].character
                                                             : QChar(' ');
    if (position < input.size()) {
        current = input[position].character;
        currentPositions = input[position].positions;
    } else {
        current = ' ';
        currentPositions.clear();
    }
    ++position;
}

QChar TokenReader::next() const
{
    return position < input.size() ? input[position].character : QChar(' ');
}

int tokenizeExpression(TokenReader &reader)
{
    for (;;) {
        reader.invalidNumber = 0;
        if (reader.position >= reader.input.size()) {
            reader.advance();
            return TokenReader::EndOfInput;
        }
        reader.advance();
        const QChar c = reader.current;
        if (c == degreeSign)
            continue;
        if (isDigit(c) || c == '.' || c == ',')
            return readNumber(reader);
        switch (c.unicode()) {
        case '?': return TokenReader::Unknown;
        case 'E': case 'e': return constant(reader, euler);
        case 0x03C0: case 0x03A0: return constant(reader, pi);
        case '-': return readMinus(reader);
        case '(': case '[': return TokenReader::OpenBracket;
        case ')': case ']': return TokenReader::CloseBracket;
        case 0x2044: return TokenReader::Fraction;
        case '/': case 0x00F7: return TokenReader::Division;
        case '*': case 0x00D7: return TokenReader::Multiplication;
        case '+': return TokenReader::Addition;
        case '^': return TokenReader::Power;
        case 0x221A: return TokenReader::Root;
        case '=': return TokenReader::Equality;
        case '<': return TokenReader::LessThan;
        case '>': return TokenReader::GreaterThan;
        default: return readUnknown(reader);
        }
    }
}
