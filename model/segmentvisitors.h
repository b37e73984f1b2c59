#pragma once

#include "model/segmentwalk.h"

#include <QRectF>

// Context of replaceLeafInkWithBoxes, read only: the box of the character
// at each index and the value its box stroke carries (0 beyond values).
struct LeafBoxes
{
    QList<QRectF> rects;
    QList<double> values;
};

// The segment rebuilt from its selected candidate alone, each child i
// replaced by visitSegments(child, i, callback, context); its ink is the
// union of the new children's ink.
Segment mapChildSegments(const Segment &segment, SegmentVisitor callback, void *context);

// Visitor callbacks giving each character leaf one box stroke in place of
// its ink, stamped with its ink's latest stamp plus its index.

// The box fits the leaf's own ink; calculator symbols (type 5) are leaves
// too. The context is not read.
Segment replaceLeafInkWithFittedBoxes(Segment *storage, int index, const Segment &segment,
                                      void *context);
// The box of a leaf is rects[index] of the LeafBoxes context; an index
// without a rectangle, or no context, falls back to the fitted box.
Segment replaceLeafInkWithBoxes(Segment *storage, int index, const Segment &segment,
                                void *context);
