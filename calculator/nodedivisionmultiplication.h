#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// Operands joined by U+00D7 (or by U+00F7 as the variant), left to right.
class NodeDivisionMultiplication : public Node
{
public:
    NodeDivisionMultiplication(bool fromInk, bool division);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;

private:
    // The product of the known operands; a zero divisor is split off.
    Value knownProduct(int *unknowns);
    void shareTarget(const Value &product, int unknowns);
};

} // namespace ExpTree
