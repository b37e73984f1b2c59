#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// A bracketed group of one child. A bracket the user did not write is
// written as a square bracket.
class NodeGroupParentheses : public Node
{
public:
    explicit NodeGroupParentheses(bool fromInk);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;
    void writeExpression(QString &text, bool marked) const override;

    bool closedInInk = false;
    char closingChar = ')';
};

} // namespace ExpTree
