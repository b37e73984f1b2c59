#include "modes/cursiveoracle.h"

#include "pad/editrequest.h"
#include "pad/oraclegeometry.h"

namespace {

constexpr int candidateSlots = 2;
constexpr int gestureDelay = 1500;

} // namespace

CursiveOracle::CursiveOracle(WritingDirection direction, QObject *parent)
    : EditionOracle(candidateSlots, gestureDelay, true, direction, parent)
{
}

void CursiveOracle::computeGestureScores()
{
    for (GestureCandidate *c : currentRequest()->scoredTargets()) {
        c->setScore(EditKind::EraseA, linearRamp(c->bandCover, 0.8f, 0.1f));
        c->setScore(EditKind::EraseB, linearRamp(c->densityRatio, 1.35f, 0.1f)
                                          * linearRamp(c->boxOverlap, 0.7f, 0.05f));
        c->setScore(EditKind::Insert, linearRamp(c->gapCover, 0.9f, 0.05f));
        c->setScore(EditKind::Overwrite, 0.0f);
        c->setScore(EditKind::Update, 0.0f);
    }
}

void CursiveOracle::decideEdit(float threshold)
{
    const EditRequest &r = *currentRequest();
    // A gesture kind counts only when it clearly hits ink older than the
    // pieces just written; then it stands for the recent pieces too.
    bool kept[] = {false, false, false};
    const EditKind kinds[] = {EditKind::EraseA, EditKind::EraseB, EditKind::Overwrite};
    for (const GestureCandidate *c : r.nearTargets()) {
        if (r.isRecent(*c))
            continue;
        for (int k = 0; k < 3; ++k)
            kept[k] = kept[k] || c->score(kinds[k]) > threshold;
    }
    for (GestureCandidate *c : r.nearTargets()) {
        for (int k = 0; k < 3; ++k) {
            if (!kept[k])
                c->setScore(kinds[k], 0.0f);
        }
    }
    GestureCandidate *left = r.leftNeighbour();
    GestureCandidate *right = r.rightNeighbour();
    if (left && right && (r.isRecent(*left) || r.isRecent(*right))) {
        left->setScore(EditKind::Insert, 0.0f);
        right->setScore(EditKind::Insert, 0.0f);
    }
}
