#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// A number literal, or a value the solver adds. A hidden number (the
// implicit index of a square root) writes nothing.
class NodeNumber : public Node
{
public:
    NodeNumber(bool fromInk, double literal, bool hidden);
    NodeNumber(bool fromInk, const Value &value, bool hidden);

    void solve() override;
    void writeToken(QString &text, int decimals, bool flag) const override;
    void writeSymbol(QString &text, bool flag) const override;

    bool hidden;
};

} // namespace ExpTree
