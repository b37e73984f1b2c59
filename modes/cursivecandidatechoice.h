#pragma once

#include "model/recognitionresult.h"
#include "model/strokestamp.h"

// The model with the word of segment taking candidate index, keeping the old
// word's typeset ink and the spaced-character ink, then marked and frozen as
// typesetting does at the time now. An index outside the candidates, which
// would leave the word without a label and drop it from the text, and a
// segment whose ink is not in the model leave the model unchanged.
RecognitionResult chooseCandidate(const RecognitionResult &model, Segment segment, int index,
                                  const StrokeStamp &now);
