#pragma once

#include "model/recognitionresult.h"

// Results made outside the recognition engine. Each returns a new value;
// the root is brought to normal form (a text, a group, or not computed)
// by promotion.

RecognitionResult resultFromSegment(const Segment &segment);
RecognitionResult resultFromNode(const ResultNode &node);
RecognitionResult resultFromText(const QString &text, int wordFlag);
RecognitionResult resultFromStroke(const Stroke &stroke, const QString &label, int type,
                                   int wordFlag);
RecognitionResult resultFromStrokes(const QList<Stroke> &strokes, const QString &label,
                                    int type, int wordFlag);

// One level up: a character becomes a word (its alternatives the word's
// alternatives), a word a text, a structure of types 5 to 10 a group.
// Other segments come back unchanged.
Segment promoteSegment(const Segment &segment);
