#include "calculator/nodedivisionmultiplication.h"

#include "calculator/exptreesolving.h"

#include <cmath>

namespace ExpTree {

namespace {

// The undefined operands share the value through its k-th root; the first
// of them carries the sign.
void shareRoots(Node *node, const Value &shared, int unknowns)
{
    const double sign = shared.numerator * shared.denominator < 0.0 ? -1.0 : 1.0;
    const double a = std::pow(std::fabs(shared.numerator), 1.0 / unknowns);
    const double b = std::pow(std::fabs(shared.denominator), 1.0 / unknowns);
    bool first = true;
    for (Node *child : node->children) {
        if (!child->undefined)
            continue;
        child->set(first ? sign * a : a, b);
        first = false;
    }
}

} // namespace

NodeDivisionMultiplication::NodeDivisionMultiplication(bool fromInk, bool division)
    : Node(DivisionMultiplication, fromInk, 2, -1, division)
{
}

void NodeDivisionMultiplication::solve()
{
    if (!hasMinimumChildren())
        return;
    solveChildren();
    int unknowns = 0;
    Value product;
    if (blockingError(this) == NoError)
        product = knownProduct(&unknowns); // a zero divisor raises the node's code
    const Error blocking = blockingError(this);
    if (blocking != NoError) {
        handOnError(this, blocking);
        propagateErrors(this, true);
        return;
    }
    if (unknowns == 0) {
        settle(this, product);
    } else if (!undefined) {
        shareTarget(product, unknowns);
        defineAndSolveChildren(this);
    } else {
        markChildrenIncomplete(this);
    }
    propagateErrors(this, true);
}

Value NodeDivisionMultiplication::knownProduct(int *unknowns)
{
    Value product(1.0, 1.0, false);
    for (int i = 0; i < children.size(); ++i) {
        Node *child = children[i];
        if (child->undefined) {
            ++*unknowns;
        } else if (i == 0 || !variant) {
            product.set(product.numerator * child->numerator,
                        product.denominator * child->denominator);
        } else if (child->numerator == 0.0) {
            Value impossible(1.0, 1.0, true);
            impossible.error = DivisionByZero;
            if (child->children.isEmpty())
                splitOff(child, impossible, true);
            else
                splitOff(child->children[0], impossible, false);
            child->undefined = true;
            error = DivisionByZero;
        } else {
            product.divide(*child);
        }
    }
    return product;
}

void NodeDivisionMultiplication::shareTarget(const Value &product, int unknowns)
{
    if (!variant) {
        Value missing = *this;
        missing.divide(product);
        shareRoots(this, missing, unknowns);
    } else if (children[0]->undefined) {
        Node *first = children[0];
        first->assign(*this);
        first->divide(product);
        for (int i = 1; i < children.size(); ++i) {
            if (children[i]->undefined)
                children[i]->set(1.0, 1.0);
        }
    } else {
        Value divisors = product;
        divisors.divide(*this);
        shareRoots(this, divisors, unknowns);
    }
}

void NodeDivisionMultiplication::writeSymbol(QString &text, bool) const
{
    text += QChar(variant ? 0x00F7 : 0x00D7);
}

} // namespace ExpTree
