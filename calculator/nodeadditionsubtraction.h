#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// Operands joined by "+" (or by "-" as the variant), left to right.
class NodeAdditionSubtraction : public Node
{
public:
    NodeAdditionSubtraction(bool fromInk, bool subtraction);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;

private:
    void shareTarget(const Value &known, int unknowns);
};

} // namespace ExpTree
