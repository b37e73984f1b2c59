#include "calculator/nodenumber.h"

#include "calculator/numberformat.h"

namespace ExpTree {

NodeNumber::NodeNumber(bool fromInk, double literal, bool hidden)
    : NodeNumber(fromInk, Value(literal, 1.0, false), hidden)
{
}

NodeNumber::NodeNumber(bool fromInk, const Value &value, bool hidden)
    : Node(Number, fromInk, 0, 0), hidden(hidden)
{
    numerator = value.numerator;
    denominator = value.denominator;
    undefined = value.undefined;
}

void NodeNumber::solve()
{
}

void NodeNumber::writeToken(QString &text, int decimals, bool flag) const
{
    if (!hidden)
        formatNumber(*this, text, decimals, flag);
}

void NodeNumber::writeSymbol(QString &text, bool flag) const
{
    if (!hidden)
        formatNumber(*this, text, 10, flag);
}

} // namespace ExpTree
