#pragma once

#include "model/recognitionresult.h"

#include <functional>

// A visitor callback: storage for the produced segment, the index of the
// visited segment among its parent candidate's children, the visited
// segment and the caller's context; returns the produced segment, which
// holds only its own version of the selected candidate.
using SegmentVisitor = Segment (*)(Segment *storage, int index, const Segment &segment,
                                   void *context);

// The callback's segment followed by the visited segment's other
// candidates, their ink brought in line with the produced ink.
Segment visitSegments(const Segment &segment, int index, SegmentVisitor callback,
                      void *context);
// The candidate with each child i replaced by visitSegments(child, i, ...).
ResultNode mapChildren(const ResultNode &node, SegmentVisitor callback, void *context);

// The candidate with the ink divided over its children by label length:
// each UTF-16 unit of a child's label takes one stroke range.
ResultNode spreadInkOverChildren(const ResultNode &node, const InkRange &ink);

// The tree with every segment's ink replaced by map(ink), a parent's before
// its children's; candidates and selections are kept.
Segment mapSegmentInk(const Segment &segment,
                      const std::function<InkRange(const InkRange &)> &map);

// The tree with every stroke replaced by a copy carrying the stamp.
Segment restampSegment(const Segment &segment, const StrokeStamp &stamp);

// The tree with every segment's ink covering its children's ink; with
// distribute, strokes that no child holds are pushed down to the child
// whose ink lies nearest horizontally.
Segment rebuildSegmentTree(const Segment &segment, const InkRange &extraInk, bool distribute);
RecognitionResult rebuildResultTree(const RecognitionResult &r, bool distribute);
