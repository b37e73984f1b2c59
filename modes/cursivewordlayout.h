#pragma once

#include "model/recognitionresult.h"

#include <QList>
#include <QTransform>

// The x at which a word's typeset label begins: the right edge of its ink for
// a right-aligned layout, the left edge otherwise, less the offset of the
// leftmost stroke.
double wordStartX(const InkRange &ink, int layoutAlignment);

// The line position of a line; lines past the layout's positions follow the
// last one at 2.2 reference heights apart.
double linePosition(const ResultLayout &layout, int line);

// Where each word segment of the model stands once its settled words are set
// as typeset lines: one transform per word segment in tree order, the
// identity for spaces, new lines and words that are not settled. Runs of
// settled words are set as one text from the start x of their first word, or
// of the text's first word when commonLineStart is set. The walk runs
// backward when the model's alignment differs from the controller's.
QList<QTransform> layoutWordPlacements(const RecognitionResult &model, bool commonLineStart,
                                       int controllerAlignment);
