#pragma once

#include "model/recognitionresult.h"

#include <QRectF>

// The recognizer's new reading merged into the model: ink that the model
// already reads as settled text or as spaced characters keeps the model's
// reading, the rest takes the new one and every mark of the model. Spaces
// are rebuilt on the new reading first when respaceFirst is set, else on
// the merged model.
RecognitionResult mergeWetResult(const RecognitionResult &model, const RecognitionResult &wet,
                                 bool respaceFirst);

// Keeps the first and last lines of the layout inside the visible scene
// rectangle: a first line cut off at the top scales the text down, one below
// the view moves up (windowed only), and in full screen the last line stays
// clear of the bottom.
ResultLayout adaptLayoutToView(const ResultLayout &layout, const QRectF &visible,
                               bool fullScreen);
