#include "calculator/exptreenode.h"

#include <cstring>

namespace ExpTree {

Node::Node(int kind, bool fromInk, int minChildren, int maxChildren, bool variant)
    : Value(1.0, 1.0, true),
      kind(kind),
      fromInk(fromInk),
      minChildren(minChildren),
      maxChildren(maxChildren),
      variant(variant)
{
}

// Deep trees are released without recursion.
Node::~Node()
{
    QList<Node *> pending;
    pending.swap(children);
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        pending += node->children;
        node->children.clear();
        delete node;
    }
}

bool Node::hasMinimumChildren() const
{
    return children.size() >= minChildren;
}

bool Node::isFull() const
{
    return maxChildren >= 0 && children.size() == maxChildren;
}

// Walks the subtree with a work list so that deep trees cannot exhaust the
// stack while the tree is being built.
bool Node::isComplete() const
{
    QList<const Node *> pending{this};
    while (!pending.isEmpty()) {
        const Node *node = pending.takeLast();
        if (!node->hasMinimumChildren())
            return false;
        for (int i = node->children.size() - 1; i >= 0; --i)
            pending.append(node->children[i]);
    }
    return true;
}

void Node::writeToken(QString &text, int, bool flag) const
{
    writeSymbol(text, flag);
}

void Node::writeExpression(QString &text, bool marked) const
{
    QString sign;
    writeSymbol(sign, false);
    if (marked && !sign.isEmpty() && (kind == Unknown || !fromInk))
        sign = QString(kind == Unknown ? "@2{" : "@1{") + sign + '}';
    if (children.size() == 1)
        text += sign;
    for (int i = 0; i < children.size(); ++i) {
        children[i]->writeExpression(text, marked);
        if (i + 1 < children.size())
            text += sign;
    }
    if (children.isEmpty())
        text += sign;
}

bool Node::isGroup() const
{
    return kind == ClosedGroup || kind == Group || kind == OpenGroup;
}

void Node::appendChild(Node *child)
{
    child->parent = this;
    children.append(child);
}

void Node::replaceWith(Node *replacement)
{
    replacement->parent = parent;
    if (parent) {
        const int index = parent->children.indexOf(this);
        parent->children[index] = replacement;
    }
    parent = nullptr;
}

void Node::update()
{
    if (m_solved && isAsSolved())
        return;
    solve();
    m_solvedState = {*this, children, minChildren};
    m_solved = true;
}

void Node::solveChildren()
{
    for (int i = 0; i < children.size(); ++i)
        children[i]->update();
}

// Values compare bit for bit, so that a NaN equals itself.
bool Node::isAsSolved() const
{
    const Value &v = m_solvedState.value;
    return std::memcmp(&v.numerator, &numerator, sizeof numerator) == 0
           && std::memcmp(&v.denominator, &denominator, sizeof denominator) == 0
           && v.undefined == undefined && v.error == error
           && m_solvedState.children == children && m_solvedState.minChildren == minChildren;
}

} // namespace ExpTree
