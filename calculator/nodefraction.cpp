#include "calculator/nodefraction.h"

namespace ExpTree {

NodeFraction::NodeFraction() : NodeDivisionMultiplication(true, true)
{
    kind = Fraction;
}

void NodeFraction::writeSymbol(QString &text, bool) const
{
    text += QChar(0x2044);
}

} // namespace ExpTree
