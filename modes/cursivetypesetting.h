#pragma once

#include "model/recognitionresult.h"

#include <QRectF>

// Ink younger than this stays handwriting.
constexpr int TypesetAge = 1500;
// The layout follows this long after the first stroke of the text.
constexpr int LayoutDelay = 2000;

// The earliest stamp of the ink's strokes (time, then sequence); the current
// pad time for empty ink.
StrokeStamp firstStamp(const InkRange &ink);

// What marking decided besides the marks.
struct TypesetMarks
{
    RecognitionResult result;
    // Retry typesetting after retryIn ms; otherwise run the layout after
    // layoutIn ms when layoutDue, or stop it.
    bool retry = false;
    int retryIn = TypesetAge;
    bool layoutDue = false;
    int layoutIn = 0;
};

// Marks as typeset the ink of top-level segments that are old enough and
// clear of the keep-out rectangles (widened by twice the reference height on
// both sides), and as settled those followed by six more ready segments.
// Marks only grow.
TypesetMarks markTypesetInk(const RecognitionResult &result, const QList<QRectF> &keepOut,
                            const StrokeStamp &now);

// Settled words written in pen ink get one fitted box stroke per character.
RecognitionResult freezeSettledWords(const RecognitionResult &result);

// Characters whose first character is neither Arabic nor a digit nor one of
// ' " , . : ( ) join the spaced-character ink.
RecognitionResult markSpacedCharacterInk(const RecognitionResult &result);
