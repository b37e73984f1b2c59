#pragma once

#include "calculator/nodedivisionmultiplication.h"

namespace ExpTree {

// A division written with a fraction bar (U+2044).
class NodeFraction : public NodeDivisionMultiplication
{
public:
    NodeFraction();

    void writeSymbol(QString &text, bool flag) const override;
};

} // namespace ExpTree
