#include "calculator/exptreebuilder.h"

#include "calculator/nodeadditionsubtraction.h"
#include "calculator/nodeequality.h"
#include "calculator/nodefraction.h"
#include "calculator/nodegroupparentheses.h"
#include "calculator/nodemessage.h"
#include "calculator/nodenumber.h"
#include "calculator/nodepowerroot.h"
#include "calculator/nodeunarynegation.h"
#include "calculator/nodeunknown.h"
#include "calculator/numberformat.h"
#include "calculator/tokenreader.h"

using namespace ExpTree;

namespace {

// Far beyond any handwritten line, well within the stack of the recursive
// solver and writers.
const int maxDepth = 256;

const QChar rootSign(0x221A);
const QChar degreeSign(0x00B0);

// A root without a written index takes the index 2.
void insertRootIndexes(InputCharacters &input)
{
    InputCharacters indexed;
    indexed.reserve(input.size());
    for (int i = 0; i < input.size(); ++i) {
        if (input[i].character == rootSign && (i == 0 || input[i - 1].character != degreeSign))
            indexed << InputCharacter{QChar('['), {}} << InputCharacter{QChar('2'), {}}
                    << InputCharacter{QChar(']'), {}};
        indexed << input[i];
    }
    input = indexed;
}

int depthOf(const Node *root)
{
    int deepest = 0;
    QList<QPair<const Node *, int>> pending{{root, 1}};
    while (!pending.isEmpty()) {
        const auto [node, depth] = pending.takeLast();
        deepest = std::max(deepest, depth);
        for (const Node *child : node->children)
            pending.append({child, depth + 1});
    }
    return deepest;
}

// Every node gets an unknown for each operand it still lacks.
void complete(Node *root)
{
    QList<Node *> pending{root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        while (!node->hasMinimumChildren())
            node->appendChild(new NodeUnknown(false));
        pending += node->children;
    }
}

// An unknown that nothing determined shows the incomplete-input message
// rather than a value.
void markUnsolvedUnknowns(Node *root)
{
    QList<Node *> pending{root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        if (node->kind == Node::Unknown && node->undefined && node->error == Value::NoError)
            node->error = Value::IncompleteInput;
        pending += node->children;
    }
}

// Whether the nodes along the last children from node all have their
// minimum of children: where the next operand or operator would go.
bool rightmostComplete(const Node *node)
{
    for (; node; node = node->children.isEmpty() ? nullptr : node->children.last()) {
        if (!node->hasMinimumChildren())
            return false;
    }
    return true;
}

bool isBinary(const Node *node)
{
    return node->minChildren >= 2;
}

bool isRootSign(const Node *node)
{
    return node->kind == Node::PowerRoot && node->variant;
}

bool sameOperator(const Node *a, const Node *b)
{
    return a->kind == b->kind && a->variant == b->variant && a->fromInk == b->fromInk;
}

Node *leftOperandFor(const Node *node)
{
    if (isRootSign(node))
        return new NodeNumber(false, 2.0, true);
    return new NodeUnknown(false);
}

class TreeBuilder
{
public:
    explicit TreeBuilder(InputCharacters &input) : m_reader(input) {}
    ~TreeBuilder() { delete m_root; }

    std::unique_ptr<Node> build();

private:
    void addToken(int token);
    Node *nodeForToken(int token) const;
    void place(Node *node);
    void takePlace(Node *place, Node *node);
    void closeBracket();
    void closeGroup(NodeGroupParentheses *group, const QList<int> &positions);
    void wrapInMissingOpening(const QList<int> &positions);
    Node *insertionPoint() const;

    TokenReader m_reader;
    Node *m_root = nullptr;
    QList<NodeGroupParentheses *> m_open;
};

std::unique_ptr<Node> TreeBuilder::build()
{
    for (int token = tokenizeExpression(m_reader); token != TokenReader::EndOfInput;
         token = tokenizeExpression(m_reader))
        addToken(token);
    if (!m_root)
        return nullptr;
    if (depthOf(m_root) > maxDepth) {
        auto message = std::make_unique<NodeMessage>(solverMessage(Value::InvalidInput));
        message->error = Value::InvalidInput;
        return message;
    }
    if (m_root->maxChildren != 0 && m_root->kind != Node::Equality) {
        Node *equality = new NodeEquality(false);
        equality->appendChild(m_root);
        m_root = equality;
    }
    complete(m_root);
    m_root->update();
    return std::unique_ptr<Node>(std::exchange(m_root, nullptr));
}

void TreeBuilder::addToken(int token)
{
    if (token == TokenReader::LessThan || token == TokenReader::GreaterThan)
        return;
    if (token == TokenReader::CloseBracket) {
        closeBracket();
        return;
    }
    if (token == TokenReader::Equality) {
        while (!m_open.isEmpty())
            closeGroup(m_open.takeLast(), {});
    }
    Node *node = nodeForToken(token);
    auto *group = token == TokenReader::OpenBracket ? static_cast<NodeGroupParentheses *>(node)
                                                    : nullptr;
    if (!m_root && isBinary(node)) {
        m_root = leftOperandFor(node);
        place(node);
    } else if (!m_root) {
        m_root = node;
    } else {
        place(node);
    }
    if (group) {
        group->kind = Node::OpenGroup;
        m_open.append(group);
    }
}

Node *TreeBuilder::nodeForToken(int token) const
{
    Node *node = nullptr;
    switch (token) {
    case TokenReader::Number: {
        auto *number = new NodeNumber(true, m_reader.number, false);
        if (m_reader.invalidNumber) {
            number->error = Value::InvalidInput;
            number->undefined = true;
        } else if (!number->check(m_reader.number)) {
            number->undefined = true;
        }
        node = number;
        break;
    }
    case TokenReader::UnaryNegation: node = new NodeUnaryNegation(true); break;
    case TokenReader::OpenBracket: {
        auto *group = new NodeGroupParentheses(!m_reader.currentPositions.isEmpty());
        group->closingChar = m_reader.current == '(' ? ')' : ']';
        node = group;
        break;
    }
    case TokenReader::Fraction: node = new NodeFraction; break;
    case TokenReader::Division: node = new NodeDivisionMultiplication(true, true); break;
    case TokenReader::Multiplication: node = new NodeDivisionMultiplication(true, false); break;
    case TokenReader::Addition: node = new NodeAdditionSubtraction(true, false); break;
    case TokenReader::Subtraction: node = new NodeAdditionSubtraction(true, true); break;
    case TokenReader::Power: node = new NodePowerRoot(true, false); break;
    case TokenReader::Root: node = new NodePowerRoot(true, true); break;
    case TokenReader::Equality: node = new NodeEquality(true); break;
    default: node = new NodeUnknown(true); break;
    }
    node->sourcePositions = m_reader.currentPositions;
    return node;
}

// Completeness is judged along the last children only: an incomplete node
// elsewhere (an empty group, a side left open by "==") must not make every
// later token insert operands without end. An inserted multiplication or
// operand is placed first, then placing starts again.
void TreeBuilder::place(Node *node)
{
    Node *p = insertionPoint();
    for (;;) {
        if (node->kind == Node::Equality && p->kind == Node::Equality) {
            ++p->minChildren;
            p->sourcePositions += node->sourcePositions;
            delete node;
            return;
        }
        if (!p->isFull() && sameOperator(node, p)
            && (node->maxChildren < 0 || node->maxChildren >= 2)) {
            ++p->minChildren;
            if (p->fromInk)
                p->sourcePositions += node->sourcePositions;
            delete node;
            return;
        }
        if (node->maxChildren >= 0 && node->maxChildren <= 1 && rightmostComplete(p)) {
            place(new NodeDivisionMultiplication(false, false));
            p = insertionPoint();
            continue;
        }
        if (isBinary(node) && !rightmostComplete(p)) {
            place(leftOperandFor(node));
            p = insertionPoint();
            continue;
        }
        if (p->kind < node->kind) {
            takePlace(p, node);
            return;
        }
        if (!p->hasMinimumChildren() || p->children.isEmpty()) {
            p->appendChild(node);
            return;
        }
        if (p->kind == node->kind) {
            takePlace(p, node);
            return;
        }
        p = p->children.last();
    }
}

void TreeBuilder::takePlace(Node *place, Node *node)
{
    const bool wasRoot = place == m_root;
    place->replaceWith(node);
    node->appendChild(place);
    if (wasRoot)
        m_root = node;
}

void TreeBuilder::closeBracket()
{
    const QChar bracket = m_reader.current;
    const QList<int> positions = m_reader.currentPositions;
    while (!m_open.isEmpty() && m_open.last()->closingChar != bracket && bracket == ']')
        closeGroup(m_open.takeLast(), {});
    if (!m_open.isEmpty() && m_open.last()->closingChar == bracket)
        closeGroup(m_open.takeLast(), positions);
    else
        wrapInMissingOpening(positions);
}

void TreeBuilder::closeGroup(NodeGroupParentheses *group, const QList<int> &positions)
{
    group->kind = Node::ClosedGroup;
    group->closedInInk = !positions.isEmpty();
    group->sourcePositions += positions;
}

void TreeBuilder::wrapInMissingOpening(const QList<int> &positions)
{
    auto *group = new NodeGroupParentheses(false);
    closeGroup(group, positions);
    Node *wrapped = m_root;
    if (!m_open.isEmpty())
        wrapped = m_open.last()->children.isEmpty() ? nullptr : m_open.last()->children.last();
    else if (m_root && m_root->kind == Node::Equality && m_root->children.size() >= 2)
        wrapped = m_root->children.last();
    if (wrapped) {
        takePlace(wrapped, group);
    } else if (!m_root) {
        m_root = group;
    } else {
        place(group);
    }
}

Node *TreeBuilder::insertionPoint() const
{
    return m_open.isEmpty() ? m_root : m_open.last();
}

} // namespace

std::unique_ptr<Node> buildExpTree(InputCharacters &input)
{
    insertRootIndexes(input);
    std::unique_ptr<Node> tree = TreeBuilder(input).build();
    if (tree && tree->kind == Node::Number && tree->children.isEmpty()
        && tree->error == Value::InvalidInput) {
        input.append({QChar('='), {}});
        tree = TreeBuilder(input).build();
    }
    if (tree)
        markUnsolvedUnknowns(tree.get());
    return tree;
}
