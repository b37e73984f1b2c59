#include "calculator/nodegroupparentheses.h"

#include "calculator/exptreesolving.h"

namespace ExpTree {

NodeGroupParentheses::NodeGroupParentheses(bool fromInk) : Node(Group, fromInk, 1, 1)
{
}

void NodeGroupParentheses::solve()
{
    if (!hasMinimumChildren())
        return;
    children[0]->update();
    Node *content = children[0];
    const Error blocking = blockingError(this);
    if (blocking != NoError) {
        error = blocking;
        handOnError(this, blocking);
    } else if (undefined && !content->undefined) {
        settle(this, *content);
    } else if (!undefined && content->undefined) {
        content->assign(*this);
        content->update();
    } else if (undefined && content->error == NoError) {
        content->error = IncompleteInput;
        error = IncompleteInput;
    }
    propagateErrors(this, true);
}

void NodeGroupParentheses::writeSymbol(QString &, bool) const
{
}

void NodeGroupParentheses::writeExpression(QString &text, bool marked) const
{
    const QString added("@1{%1}");
    const QString opening = fromInk ? "(" : "[";
    const QString closing = fromInk ? ")" : "]";
    text += marked && !fromInk ? added.arg(opening) : opening;
    for (const Node *child : children)
        child->writeExpression(text, marked);
    text += marked && !closedInInk ? added.arg(closing) : closing;
}

} // namespace ExpTree
