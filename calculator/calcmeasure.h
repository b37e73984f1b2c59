#pragma once

#include "model/segment.h"

// Visitor callback of visitSegments; context is a CalcLayoutContext. Lays the tree out left
// to right at the context's pen and leaves in the context the rectangle the tree occupies
// and the pen after it. Returns the segment unchanged; a type that is not a calculator
// node type changes nothing.
Segment measureCalcTree(Segment *storage, int index, const Segment &segment, void *context);
