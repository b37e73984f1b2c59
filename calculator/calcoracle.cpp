#include "calculator/calcoracle.h"

#include "pad/editrequest.h"
#include "pad/oraclegeometry.h"

CalcOracle::CalcOracle(WritingDirection direction, QObject *parent)
    : CursiveOracle(direction, parent)
{
    setHoldForMoreWriting(false);
    setStrictTargets(true);
}

void CalcOracle::computeGestureScores()
{
    for (GestureCandidate *c : currentRequest()->scoredTargets()) {
        c->setScore(EditKind::EraseA, linearRamp(c->bandCover, 0.8f, 0.1f));
        c->setScore(EditKind::EraseB, linearRamp(c->densityRatio, 1.35f, 0.1f)
                                          * linearRamp(c->boxOverlap, 0.7f, 0.05f));
        c->setScore(EditKind::Insert, 0.0f);
        c->setScore(EditKind::Overwrite, 0.0f);
        c->setScore(EditKind::Update, 0.0f);
    }
}

// A piece the gesture does not cross is not erased.
void CalcOracle::filterGestures(int)
{
    for (GestureCandidate *c : currentRequest()->nearTargets()) {
        if (c->crossings == 0) {
            c->setScore(EditKind::EraseA, 0.0f);
            c->setScore(EditKind::EraseB, 0.0f);
        }
    }
}
