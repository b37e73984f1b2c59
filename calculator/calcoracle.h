#pragma once

#include "modes/cursiveoracle.h"

// The edit-gesture oracle of the calculator pad: of the cursive gestures only
// the strike-through and the scratch-out can win, and only over pieces the
// gesture really crosses. It never holds for more writing.
class CalcOracle : public CursiveOracle
{
    Q_OBJECT
public:
    explicit CalcOracle(WritingDirection direction, QObject *parent = nullptr);

protected:
    void computeGestureScores() override;
    void filterGestures(int crossings) override;
};
