#pragma once

#include "model/recognitionresult.h"
#include "pad/referencefont.h"

#include <QRectF>
#include <QTransform>

// The cursive ink types carried by a result.
enum CursiveInk { SettledInk = 0, TypesetInk = 1, SpacedCharacterInk = 2 };

// "x" for a layout aligned left (1), the Arabic dal for any other alignment.
ReferenceChar referenceCharFor(int alignment);
// The factor from the reference font to the typeset size: reference height
// over the height of the layout's reference character.
double layoutScale(const ResultLayout &layout);
// The height of one typeset line of the layout in scene units.
double typesetLineHeight(const ResultLayout &layout);

// Whether the simplified text is made only of . , ' " - _ ~ ^ and `.
bool isPunctuationText(const QString &text);
// The scale that makes the simplified text as wide as the box in the
// reference font, 0 for a text without width; the flag, when given, tells
// whether the text is punctuation.
double fitScale(const QString &text, const QRectF &box, bool *punctuation = nullptr);

// The mean width ratio of the result's written words (punctuation left out)
// against their labels, no larger than the layout's scale and at least 1.
double measureWritingScale(const RecognitionResult &result);
// The layout record for the result: alignment and flags from the previous
// record unless it is centred, a reference height that follows the
// handwriting until ink has settled, and one position per line with ink.
ResultLayout updateLayoutMetrics(const RecognitionResult &result, const ResultLayout &previous);

// The placement of the word's typeset item on the given line.
QTransform wordTransform(const Segment &word, const ResultLayout &layout, int line);

// Rectangles of the insertion marks between consecutive word boxes of one
// line, and of the join marks where the gap is wider than a sixth of the
// height. direction 2 is right to left.
QList<QRectF> insertionMarkRects(const QList<QRectF> &boxes, int direction);
QList<QRectF> joinMarkRects(const QList<QRectF> &boxes, int direction);
