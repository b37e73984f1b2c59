#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// Sides that must share one value; the first known side is the reference.
class NodeEquality : public Node
{
public:
    explicit NodeEquality(bool fromInk);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;

private:
    void settleSides(int reference);
    void markSides(int reference);
};

} // namespace ExpTree
