#include "calculator/nodeequality.h"

#include "calculator/exptreesolving.h"

namespace ExpTree {

NodeEquality::NodeEquality(bool fromInk) : Node(Equality, fromInk, 2, -1)
{
}

void NodeEquality::solve()
{
    if (!hasMinimumChildren())
        return;
    solveChildren();
    int reference = -1;
    for (int i = 0; i < children.size() && reference < 0; ++i) {
        if (!children[i]->undefined)
            reference = i;
    }
    if (reference < 0) {
        if (propagateErrors(this, true)) {
            for (int i = 0; i < children.size(); ++i) {
                Node *side = children[i];
                if (side->undefined && side->error == NoError)
                    side->error = children[(i + 1) % 2]->error;
            }
        }
        return;
    }
    settleSides(reference);
    solveChildren();
    if (!propagateErrors(this, false) && error == NoError) {
        assign(*children[reference]);
        undefined = false;
        return;
    }
    markSides(reference);
}

// Every other side is corrected toward the reference, or takes its value.
void NodeEquality::settleSides(int reference)
{
    for (int i = 0; i < children.size(); ++i) {
        if (i == reference)
            continue;
        Node *side = children[i];
        const Node *known = children[reference];
        if (propagateErrors(this, false))
            continue;
        if (!side->undefined) {
            correctTo(side, *known, largestMagnitude(known));
        } else {
            side->assign(*known);
            side->undefined = false;
        }
    }
}

// A side that cannot meet the reference gets an added unknown holding it.
void NodeEquality::markSides(int reference)
{
    const Value known = *children[reference];
    for (int i = 0; i < children.size(); ++i) {
        Node *side = children[i];
        if (side->error == IncompleteInput)
            side->error = error;
        if (i != reference && !side->undefined) {
            splitOff(side, known, false);
            side->undefined = true;
        } else if (i != reference && side->error != InvalidInput) {
            Value carried = known;
            carried.error = side->error;
            splitOff(side, carried, false);
            side->undefined = true;
            side->error = error;
        }
        if (side->error == IncompleteInput)
            side->assign(known);
    }
}

void NodeEquality::writeSymbol(QString &text, bool) const
{
    text += '=';
}

} // namespace ExpTree
