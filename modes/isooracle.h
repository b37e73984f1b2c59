#pragma once

#include "pad/editionoracle.h"

// The edit-gesture oracle of the boxed-character pads: a strike-through
// counts for less, scratch-out and insertion score as in cursive writing,
// and ink written over the column of a character with no gesture clearly
// meant overwrites it, or updates the character still being written.
class IsoOracle : public EditionOracle
{
    Q_OBJECT
public:
    IsoOracle(WritingDirection direction, bool trackRecentInk, QObject *parent = nullptr);

protected:
    void computeGestureScores() override;
    void decideEdit(float threshold) override;

private:
    // The character being written: the last recent target when tracking
    // recent ink, else the last target written by hand.
    GestureCandidate *currentCandidate() const;
    // The near target in whose column the gesture lies, or null.
    GestureCandidate *columnTarget() const;

    bool m_trackRecentInk;
};
