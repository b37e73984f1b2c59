#pragma once

#include "pad/editionoracle.h"

// The edit-gesture oracle of free cursive writing: a stroke through a word or
// a scribble over it erases it, a vertical stroke between two words inserts
// there; both act only when they hit ink older than the last two pieces.
class CursiveOracle : public EditionOracle
{
    Q_OBJECT
public:
    explicit CursiveOracle(WritingDirection direction, QObject *parent = nullptr);

protected:
    void computeGestureScores() override;
    void decideEdit(float threshold) override;
};
