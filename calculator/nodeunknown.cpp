#include "calculator/nodeunknown.h"

#include "calculator/numberformat.h"

namespace ExpTree {

NodeUnknown::NodeUnknown(bool fromInk) : Node(Unknown, fromInk, 0, 0)
{
}

void NodeUnknown::solve()
{
}

void NodeUnknown::writeToken(QString &text, int decimals, bool flag) const
{
    formatNumber(*this, text, decimals, flag);
}

void NodeUnknown::writeSymbol(QString &text, bool flag) const
{
    if (undefined)
        text += '?';
    else
        formatNumber(*this, text, 10, flag);
}

} // namespace ExpTree
