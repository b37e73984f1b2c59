#include "calculator/exptreevalue.h"

#include <cfloat>
#include <cmath>

namespace ExpTree {

namespace {

// The fraction with its sign in the numerator, so that a fractional power
// of a positive value never sees a negative part.
void signToNumerator(double &n, double &d)
{
    if (d < 0.0) {
        n = -n;
        d = -d;
    }
}

} // namespace

bool Value::check(double x)
{
    const double magnitude = std::fabs(x);
    if (magnitude >= DBL_MAX) {
        error = Overflow;
        return false;
    }
    if (x != 0.0 && magnitude <= DBL_MIN) {
        error = Underflow;
        return false;
    }
    if (std::isnan(x)) {
        error = InvalidInput;
        return false;
    }
    return true;
}

double Value::numericValue() const
{
    return undefined ? 0.0 : numerator / denominator;
}

bool Value::checkAll()
{
    check(numerator);
    check(denominator);
    return check(numerator / denominator);
}

bool Value::assign(const Value &b)
{
    *this = b;
    return check(numericValue());
}

bool Value::set(double n, double d)
{
    numerator = n;
    denominator = d;
    return checkAll();
}

bool Value::add(const Value &b)
{
    const double n = denominator * b.numerator + numerator * b.denominator;
    denominator = denominator * b.denominator;
    numerator = n;
    return checkAll();
}

bool Value::subtract(const Value &b)
{
    const double n = numerator * b.denominator - denominator * b.numerator;
    denominator = denominator * b.denominator;
    numerator = n;
    return checkAll();
}

bool Value::divide(const Value &b)
{
    const double n = numerator * b.denominator;
    denominator = denominator * b.numerator;
    numerator = n;
    return checkAll();
}

bool Value::power(const Value &b)
{
    const double e = b.numerator / b.denominator;
    signToNumerator(numerator, denominator);
    numerator = std::pow(numerator, e);
    denominator = std::pow(denominator, e);
    return checkAll();
}

bool Value::root(const Value &b)
{
    const double e = denominator / numerator;
    double n = b.numerator;
    double d = b.denominator;
    signToNumerator(n, d);
    numerator = std::pow(n, e);
    denominator = std::pow(d, e);
    return checkAll();
}

bool Value::logarithm(const Value &b)
{
    numerator = std::log(b.numerator / b.denominator);
    denominator = 1.0;
    return checkAll();
}

} // namespace ExpTree
