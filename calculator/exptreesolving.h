#pragma once

#include "calculator/exptreenode.h"

namespace ExpTree {

// Gives the node the first error code among its children (code 1 only when
// asked) and marks it undefined; false when no child has such a code.
bool propagateErrors(Node *node, bool includeIncomplete);

// The largest magnitude of the known values of a subtree.
double largestMagnitude(const Node *root);

// When the node's value differs from the target by more than rounding
// noise, an added addition or subtraction of the difference takes the
// node's place. The noise is judged against the largest magnitude among
// scale, the target and the node's subtree.
void correctTo(Node *node, const Value &target, double scale = 0.0);

// An added addition of the node and an unknown holding the value takes the
// node's place, wrapped in a group when asked; the node becomes undefined.
void splitOff(Node *node, const Value &value, bool wrapInGroup);

// The node now holds a known value: it is defined and loses a code 1.
void becomeDefined(Node *node);

// The code that stops a node from computing: its own, or the first code of
// a child other than 1; 0 when there is none.
Value::Error blockingError(const Node *node);

// Every undefined child without a code of its own takes the code and is
// solved again. Numbers keep what the user wrote.
void handOnError(Node *node, Value::Error code);

// Values flow down: every child becomes defined and is solved again.
void defineAndSolveChildren(Node *node);

// Every undefined child without a code takes code 1 and is solved again.
void markChildrenIncomplete(Node *node);

// The node with all children known takes the computed value; a node that
// held a target is then corrected toward it.
void settle(Node *node, const Value &computed);

} // namespace ExpTree
