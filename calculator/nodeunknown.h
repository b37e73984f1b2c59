#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// A "?" the user wrote or an operand the user left out; the solver finds
// its value.
class NodeUnknown : public Node
{
public:
    explicit NodeUnknown(bool fromInk);

    void solve() override;
    void writeToken(QString &text, int decimals, bool flag) const override;
    void writeSymbol(QString &text, bool flag) const override;
};

} // namespace ExpTree
