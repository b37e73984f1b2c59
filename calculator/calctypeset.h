#pragma once

#include "model/segment.h"

// Visitor callback of visitSegments; context is a CalcLayoutContext. Rebuilds the tree so
// that every symbol's ink is one box stroke over the place of its typeset sign, placed by
// the rules of measureCalcTree, and advances the context's pen. Fractions are centred on a
// bar as wide as their wider part plus four gaps; root signs and the outer parts of a
// three-part group are stretched over their frame. Parts are visited with their index among
// their parent's parts, so that box stamps of siblings from one stroke stay ordered. Any
// other type gives an empty segment.
Segment typesetCalcTree(Segment *storage, int index, const Segment &segment, void *context);
