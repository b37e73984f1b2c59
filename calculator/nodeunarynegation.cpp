#include "calculator/nodeunarynegation.h"

#include "calculator/exptreesolving.h"

namespace ExpTree {

NodeUnaryNegation::NodeUnaryNegation(bool fromInk) : Node(UnaryNegation, fromInk, 1, 1)
{
}

void NodeUnaryNegation::solve()
{
    if (!hasMinimumChildren())
        return;
    children[0]->update();
    Node *child = children[0];
    const Error blocking = blockingError(this);
    if (blocking != NoError) {
        handOnError(this, blocking);
    } else if (undefined && !child->undefined) {
        Value negated(0.0, 1.0, false);
        negated.subtract(*child);
        settle(this, negated);
    } else if (!undefined && child->undefined) {
        Value negated(0.0, 1.0, false);
        negated.subtract(*this);
        child->assign(negated);
        child->update();
    }
    propagateErrors(this, true);
}

void NodeUnaryNegation::writeSymbol(QString &text, bool) const
{
    text += '-';
}

} // namespace ExpTree
