#include "calculator/nodepowerroot.h"

#include "calculator/exptreesolving.h"

#include <cmath>

namespace ExpTree {

namespace {

// ln(a) / ln(b), defined.
Value logarithmRatio(const Value &a, const Value &b)
{
    Value ratio(0.0, 1.0, false);
    ratio.logarithm(a);
    Value divisor(0.0, 1.0, false);
    divisor.logarithm(b);
    ratio.divide(divisor);
    return ratio;
}

Node *firstUndefined(const QList<Node *> &children, int from)
{
    for (int i = from; i < children.size(); ++i) {
        if (children[i]->undefined)
            return children[i];
    }
    return nullptr;
}

} // namespace

NodePowerRoot::NodePowerRoot(bool fromInk, bool root)
    : Node(PowerRoot, fromInk, 2, -1, root)
{
}

void NodePowerRoot::solve()
{
    if (!hasMinimumChildren())
        return;
    solveChildren();
    Value computed;
    if (blockingError(this) == NoError)
        computed = computedValue(); // an even root of a negative raises the node's code
    const Error blocking = blockingError(this);
    if (blocking != NoError) {
        handOnError(this, blocking);
        propagateErrors(this, true);
        return;
    }
    const bool allKnown = firstUndefined(children, 0) == nullptr;
    if (allKnown) {
        settle(this, computed);
    } else if (!undefined) {
        pushTarget();
        defineAndSolveChildren(this);
    } else {
        markChildrenIncomplete(this);
    }
    propagateErrors(this, true);
}

Value NodePowerRoot::computedValue()
{
    Value value = *children[0];
    for (int i = 1; i < children.size(); ++i) {
        Node *child = children[i];
        if (child->undefined)
            continue;
        const bool evenIndex = !value.undefined && std::fmod(value.numericValue(), 2.0) == 0.0;
        if (variant && evenIndex && child->numericValue() < 0.0) {
            Value invalid(1.0, 1.0, true);
            invalid.error = InvalidInput;
            splitOff(child, invalid, false);
            error = InvalidInput;
            return value;
        }
        if (variant)
            value.root(*child);
        else
            value.power(*child);
    }
    return value;
}

// Exactly one unknown child receives the value that meets the target.
void NodePowerRoot::pushTarget()
{
    Value v = *this;
    Node *base = children[0];
    if (!variant && base->undefined) {
        for (int i = 1; i < children.size(); ++i) {
            Value rooted = *children[i];
            rooted.root(v);
            v = rooted;
        }
        base->assign(v);
    } else if (!variant) {
        for (const Node *child : children) {
            if (!child->undefined)
                v = logarithmRatio(v, *child);
        }
        firstUndefined(children, 0)->assign(v);
    } else if (!base->undefined) {
        v.power(*base);
        firstUndefined(children, 1)->assign(v);
    } else {
        Value index(1.0, 1.0, false);
        for (int i = 1; i < children.size(); ++i) {
            if (!children[i]->undefined)
                index = v = logarithmRatio(*children[i], v);
        }
        base->assign(index);
    }
}

void NodePowerRoot::writeSymbol(QString &text, bool) const
{
    if (variant)
        text += QChar(0x221A);
    else
        text += '^';
}

} // namespace ExpTree
