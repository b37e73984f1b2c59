#pragma once

#include "calculator/exptreenode.h"
#include "calculator/inputcharacter.h"

#include <memory>

// Builds the expression tree of a calculator line, repairs what the user
// left out (missing operands become unknowns, missing brackets are added,
// juxtaposed operands are multiplied, an expression with an operator becomes
// an equation), completes it and solves it. The input may be edited: root
// indexes are inserted, unreadable characters become "?". Null for an input
// without tokens. A tree nested deeper than the solver can take is replaced
// by an "Invalid input" message.
std::unique_ptr<ExpTree::Node> buildExpTree(InputCharacters &input);
