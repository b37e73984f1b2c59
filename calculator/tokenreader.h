#pragma once

#include "calculator/inputcharacter.h"

// The state of the tokenizer over a calculator line.
class TokenReader
{
public:
    enum Token {
        Unknown = 0,
        Number = 1,
        UnaryNegation = 2,
        OpenBracket = 3,
        CloseBracket = 4,
        Fraction = 5,
        Division = 6,
        Multiplication = 7,
        Addition = 8,
        Subtraction = 9,
        Power = 10,
        Root = 11,
        Equality = 12,
        LessThan = 13,
        GreaterThan = 14,
        EndOfInput = 15
    };

    explicit TokenReader(InputCharacters &input) : input(input) {}

    // Reads the next character into current.
    void advance();
    // The character at position, a space past the end.
    QChar next() const;

    InputCharacters &input;
    int position = 0;
    QChar previous = ' ';
    QChar current = ' ';
    double number = 0.0;
    int invalidNumber = 0;
    QList<int> currentPositions;
};

// Reads the next token; a number leaves its value and validity, every token
// its positions, in the reader. A character no token names is overwritten
// with "?" in the input and read as an unknown.
int tokenizeExpression(TokenReader &reader);
