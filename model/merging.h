#pragma once

#include "model/recognitionresult.h"

// Putting results back together. Each returns a new value and leaves its
// arguments unchanged.

// The content of a followed by that of b; with depth >= 1 the seam words
// are glued when canJoin accepts them, recursively up to depth levels.
Segment joinSegments(const Segment &a, const Segment &b, int depth);

// r with every stroke and every vertical layout value mapped through t;
// a stroke met several times is mapped once.
RecognitionResult transformResult(const RecognitionResult &r, const QTransform &t);

// a followed by b, b brought into a's frame.
RecognitionResult mergeResultInto(const RecognitionResult &a, const RecognitionResult &b,
                                  int depth);
// The list merged from left to right; an empty list gives the default result.
RecognitionResult mergeResults(const QList<RecognitionResult> &list, int depth);
