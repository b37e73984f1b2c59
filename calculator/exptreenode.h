#pragma once

#include "calculator/exptreevalue.h"

#include <QList>
#include <QString>

namespace ExpTree {

// A node of the calculator's expression tree. Its kind doubles as its
// binding strength: a lower kind binds more tightly. A node owns its
// children.
class Node : public Value
{
public:
    enum Kind {
        Message = 0,
        Unknown = 1,
        Number = 2,
        ClosedGroup = 3,
        Group = 4,
        Fraction = 5,
        PowerRoot = 6,
        UnaryNegation = 7,
        DivisionMultiplication = 8,
        AdditionSubtraction = 9,
        OpenGroup = 10,
        Equality = 11
    };

    Node(int kind, bool fromInk, int minChildren, int maxChildren, bool variant = false);
    virtual ~Node();
    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    virtual bool hasMinimumChildren() const;
    virtual bool isFull() const;
    virtual bool isComplete() const;
    virtual void solve() = 0;
    virtual void writeToken(QString &text, int decimals, bool flag) const;
    virtual void writeSymbol(QString &text, bool flag) const = 0;
    virtual void writeExpression(QString &text, bool marked) const;

    bool isGroup() const;
    void appendChild(Node *child);
    // Puts replacement in this node's place under its parent; this node is
    // left without a parent.
    void replaceWith(Node *replacement);
    // Solves the node unless it is as its last solve left it. Solving
    // settles a subtree, so re-solving an unchanged one gives nothing new;
    // skipping it keeps the repeated solves of nested nodes from growing
    // exponentially with the depth.
    void update();
    // Updates every child, in order; a child replaced meanwhile is read anew.
    void solveChildren();

    QList<int> sourcePositions;
    int kind;
    bool fromInk;
    QList<Node *> children;
    Node *parent = nullptr;
    int minChildren;
    int maxChildren;
    bool variant;

private:
    struct SolvedState
    {
        Value value;
        QList<Node *> children;
        int minChildren = 0;
    };

    bool isAsSolved() const;

    bool m_solved = false;
    SolvedState m_solvedState;
};

} // namespace ExpTree
