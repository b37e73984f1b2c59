#pragma once

#include "model/recognitionresult.h"

// Cutting results along their ink. Every level of the tree is cut; a
// character that straddles the cut goes whole to the side holding more
// of its points. Each returns new values and leaves its arguments
// unchanged.

// Fills the outputs that are given with the parts before and after cut;
// true when cut falls inside r's ink. Otherwise before is r and after has
// an empty root.
bool cutResult(const RecognitionResult &r, const InkLocation &cut, RecognitionResult *before,
               RecognitionResult *after);

// One result per cut and the remainder after the last one.
QList<RecognitionResult> splitResultAtCuts(const RecognitionResult &r,
                                           const QList<InkLocation> &cuts);

// r cut where ink begins and ends inside r's ink: the pieces alternate
// outside and inside ink, starting outside.
QList<RecognitionResult> splitResult(const RecognitionResult &r, const InkRange &ink);

// r on strokes of its own, each cut down to the span of points r uses
// and keeping its stamp; every interval is kept, rebased on the new stroke.
RecognitionResult detachResultInk(const RecognitionResult &r);
