#pragma once

namespace ExpTree {

// A fraction of two doubles, never reduced, with a flag for a value not yet
// known and an error code that operations only ever raise. Every arithmetic
// operation ends with the finite checks of the new numerator, denominator
// and quotient and returns the result of the last one.
class Value
{
public:
    enum Error : int {
        NoError = 0,
        IncompleteInput = 1,
        DivisionByZero = 2,
        InvalidInput = 3,
        Overflow = 4,
        Underflow = 5
    };

    Value() = default;
    Value(double numerator, double denominator, bool undefined)
        : numerator(numerator), denominator(denominator), undefined(undefined)
    {
    }

    bool check(double x);
    double numericValue() const;

    bool assign(const Value &b);
    bool set(double n, double d);
    bool add(const Value &b);
    bool subtract(const Value &b);
    bool divide(const Value &b);
    bool power(const Value &b);
    // The receiver holds the index; it becomes b raised to one over it.
    bool root(const Value &b);
    bool logarithm(const Value &b);

    double numerator = 1.0;
    double denominator = 1.0;
    bool undefined = true;
    Error error = NoError;

private:
    bool checkAll();
};

} // namespace ExpTree
