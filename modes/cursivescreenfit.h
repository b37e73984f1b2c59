#pragma once

#include "model/recognitionresult.h"

// The re-fit of a cursive result after a screen change, in two steps.

// The model with all ink typeset and settled, new lines turned to spaces,
// and the last space before each place where the measured text runs past
// width (scene units, from the left of the ink) made a new line 2.2
// reference heights below the line before.
RecognitionResult breakLinesForScreen(const RecognitionResult &model, double width);

// The model with the ink of every word moved onto its typeset place
// (layoutWordPlacements with the controller's alignment); spaces and new
// lines carry the spaced-character ink.
RecognitionResult placeWordsForScreen(const RecognitionResult &model, bool commonLineStart,
                                      int controllerAlignment);
