#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// Base and exponents, or (as the variant) the index of a root and its
// radicand.
class NodePowerRoot : public Node
{
public:
    NodePowerRoot(bool fromInk, bool root);

    void solve() override;
    void writeSymbol(QString &text, bool flag) const override;

private:
    // The value bottom-up; an even root of a negative radicand is split off.
    Value computedValue();
    void pushTarget();
};

} // namespace ExpTree
