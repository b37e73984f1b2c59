#include "calculator/exptreesolving.h"

#include "calculator/nodeadditionsubtraction.h"
#include "calculator/nodegroupparentheses.h"
#include "calculator/nodenumber.h"
#include "calculator/nodeunknown.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace ExpTree {

namespace {

bool carriesError(const Node *node)
{
    if (node->error != Value::NoError)
        return true;
    for (const Node *child : node->children) {
        if (child->error != Value::NoError)
            return true;
    }
    return false;
}

// Differences within some units of the last place of the largest value
// that went into the computation come from rounding, not from the input.
bool isRoundingNoise(double difference, double scale)
{
    return std::fabs(difference) <= 64.0 * DBL_EPSILON * scale;
}

void takeValue(Node *node, const Value &computed)
{
    node->numerator = computed.numerator;
    node->denominator = computed.denominator;
    if (computed.error != Value::NoError) {
        node->error = computed.error;
        node->undefined = true;
        return;
    }
    becomeDefined(node);
}

} // namespace

bool propagateErrors(Node *node, bool includeIncomplete)
{
    for (const Node *child : node->children) {
        if (child->error == Value::NoError)
            continue;
        if (child->error == Value::IncompleteInput && !includeIncomplete)
            continue;
        node->error = child->error;
        node->undefined = true;
        return true;
    }
    return false;
}

double largestMagnitude(const Node *root)
{
    double largest = 0.0;
    QList<const Node *> pending{root};
    while (!pending.isEmpty()) {
        const Node *node = pending.takeLast();
        largest = std::max(largest, std::fabs(node->numericValue()));
        for (const Node *child : node->children)
            pending.append(child);
    }
    return largest;
}

void correctTo(Node *node, const Value &target, double scale)
{
    if (!node->parent || carriesError(node))
        return;
    Value difference = target;
    difference.subtract(*node);
    const double d = difference.numericValue();
    scale = std::max({scale, std::fabs(target.numericValue()), largestMagnitude(node)});
    if (difference.error != Value::NoError || d == 0.0 || isRoundingNoise(d, scale))
        return;
    auto *correction = new NodeAdditionSubtraction(false, d < 0.0);
    const Value magnitude(std::fabs(difference.numerator), std::fabs(difference.denominator),
                          false);
    node->replaceWith(correction);
    correction->appendChild(node);
    correction->appendChild(new NodeNumber(false, magnitude, false));
    correction->numerator = target.numerator;
    correction->denominator = target.denominator;
    correction->undefined = false;
}

void splitOff(Node *node, const Value &value, bool wrapInGroup)
{
    auto *addition = new NodeAdditionSubtraction(false, false);
    auto *unknown = new NodeUnknown(false);
    static_cast<Value &>(*unknown) = value;
    node->replaceWith(addition);
    addition->appendChild(node);
    addition->appendChild(unknown);
    addition->set(1.0, 1.0);
    addition->undefined = false;
    node->undefined = true;
    if (!wrapInGroup)
        return;
    auto *group = new NodeGroupParentheses(true);
    group->kind = Node::ClosedGroup;
    addition->replaceWith(group);
    group->appendChild(addition);
}

void becomeDefined(Node *node)
{
    node->undefined = false;
    if (node->error == Value::IncompleteInput)
        node->error = Value::NoError;
}

Value::Error blockingError(const Node *node)
{
    if (node->error != Value::NoError)
        return node->error;
    for (const Node *child : node->children) {
        if (child->error != Value::NoError && child->error != Value::IncompleteInput)
            return child->error;
    }
    return Value::NoError;
}

void handOnError(Node *node, Value::Error code)
{
    for (int i = 0; i < node->children.size(); ++i) {
        Node *child = node->children[i];
        if (!child->undefined || child->kind == Node::Number)
            continue;
        if (child->error == Value::NoError || child->error == Value::IncompleteInput)
            child->error = code;
        child->update();
    }
}

void defineAndSolveChildren(Node *node)
{
    for (int i = 0; i < node->children.size(); ++i)
        becomeDefined(node->children[i]);
    node->solveChildren();
}

void markChildrenIncomplete(Node *node)
{
    if (node->error == Value::NoError)
        node->error = Value::IncompleteInput;
    handOnError(node, node->error);
}

void settle(Node *node, const Value &computed)
{
    if (node->undefined) {
        takeValue(node, computed);
        return;
    }
    const Value target = *node;
    takeValue(node, computed);
    correctTo(node, target);
}

} // namespace ExpTree
