#pragma once

#include "model/recognitionresult.h"

#include <QList>
#include <QRectF>
#include <QStringList>

// The word boxes of the magic view with their labels, entry by entry. A word
// joined into the next entry leaves an empty box and "", and the lists end
// with one more such entry.
struct MagicWordBoxes
{
    QList<QRectF> boxes;
    QStringList labels;
};

// The boxes of the model's words with positive extent: the ink rectangle,
// grown to its typeset line part with a margin of 10 when that part holds it.
// Neighbours on one line are then split at the middle (two CJK characters
// closer than half the height) or joined (a gap below a sixth of the height).
// alignment 2 is right to left.
MagicWordBoxes buildMagicWordBoxes(const RecognitionResult &model, int alignment);
