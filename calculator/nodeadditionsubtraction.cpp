#include "calculator/nodeadditionsubtraction.h"

#include "calculator/exptreesolving.h"

namespace ExpTree {

NodeAdditionSubtraction::NodeAdditionSubtraction(bool fromInk, bool subtraction)
    : Node(AdditionSubtraction, fromInk, 2, -1, subtraction)
{
}

void NodeAdditionSubtraction::solve()
{
    if (!hasMinimumChildren())
        return;
    solveChildren();
    const Error blocking = blockingError(this);
    if (blocking != NoError) {
        handOnError(this, blocking);
        propagateErrors(this, true);
        return;
    }
    Value known(0.0, 1.0, false);
    int unknowns = 0;
    for (int i = 0; i < children.size(); ++i) {
        const Node *child = children[i];
        if (child->undefined)
            ++unknowns;
        else if (!variant || i == 0)
            known.add(*child);
        else
            known.subtract(*child);
    }
    if (unknowns == 0) {
        settle(this, known);
    } else if (!undefined) {
        shareTarget(known, unknowns);
        defineAndSolveChildren(this);
    } else {
        markChildrenIncomplete(this);
    }
    propagateErrors(this, true);
}

// The unknown operands share what the known ones leave of the target.
void NodeAdditionSubtraction::shareTarget(const Value &known, int unknowns)
{
    const Value count(unknowns, 1.0, false);
    Value share = *this;
    if (!variant) {
        share.subtract(known);
        share.divide(count);
    } else if (!children[0]->undefined) {
        share = known;
        share.subtract(*this);
        share.divide(count);
    } else {
        share.subtract(known);
        children[0]->assign(share);
        share = Value(0.0, 1.0, false);
    }
    for (Node *child : children) {
        if (child->undefined)
            child->assign(share);
    }
}

void NodeAdditionSubtraction::writeSymbol(QString &text, bool) const
{
    text += variant ? '-' : '+';
}

} // namespace ExpTree
