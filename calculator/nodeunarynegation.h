#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// A minus sign before a single operand.
class NodeUnaryNegation : public Node
{
public:
    explicit NodeUnaryNegation(bool fromInk);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;
};

} // namespace ExpTree
