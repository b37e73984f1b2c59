#pragma once

#include "model/recognitionresult.h"

#include <QRectF>
#include <QTransform>

// Where a calculator model is drawn: the typeset glyphs over their ink, the whole expression
// placed at the model's scale and fitted into the visible part of the scene.

// Height of the reference character at a layout's scale over that in the reference font.
double calcScaleRatio(const ResultLayout &layout);
// The transform that lays the glyph box of a symbol over its ink rectangle, widened to at
// least 40 units each way about its centre.
QTransform inkTransformFor(const Segment &symbol);
// The layout record of a new reading, given the model's record before it.
ResultLayout layoutRecordFor(const RecognitionResult &fresh, const ResultLayout &old);

struct PlacedExpression
{
    QTransform placing;
    ResultLayout record;
};
// The transform that places the model's tree, and its record after the fit. A null visible
// rectangle (no view to fit into) places nothing: the identity and the model's own record.
// With fitToView an expression not wholly visible is shrunk (never grown) and moved to stand
// 100 units inside the visible rectangle.
PlacedExpression placeExpression(const RecognitionResult &model, const QRectF &visible,
                                 bool fitToView);
// The model typeset as a whole and placed; symbols keep their answer, added and error inks.
// A model without ink gives the empty result.
RecognitionResult layoutModel(const RecognitionResult &model, const QRectF &visible,
                              bool fitToView);
