#include "modes/isooracle.h"

#include "model/stroke.h"
#include "pad/editrequest.h"
#include "pad/oraclegeometry.h"

#include <cmath>

namespace {

constexpr int candidateSlots = 1;
constexpr int gestureDelay = 1500;

bool scoresAbove(const GestureCandidate &c, float threshold)
{
    for (float s : c.scores) {
        if (s > threshold)
            return true;
    }
    return false;
}

} // namespace

IsoOracle::IsoOracle(WritingDirection direction, bool trackRecentInk, QObject *parent)
    : EditionOracle(candidateSlots, gestureDelay, false, direction, parent),
      m_trackRecentInk(trackRecentInk)
{
}

void IsoOracle::computeGestureScores()
{
    for (GestureCandidate *c : currentRequest()->scoredTargets()) {
        c->setScore(EditKind::EraseA, linearRamp(c->bandCover, 0.95f, 0.05f) * 0.5f);
        c->setScore(EditKind::EraseB, linearRamp(c->densityRatio, 1.35f, 0.1f)
                                          * linearRamp(c->boxOverlap, 0.7f, 0.05f));
        c->setScore(EditKind::Insert, linearRamp(c->gapCover, 0.9f, 0.05f));
        c->setScore(EditKind::Overwrite, 0.0f);
        c->setScore(EditKind::Update, 0.0f);
    }
}

GestureCandidate *IsoOracle::currentCandidate() const
{
    const EditRequest &r = *currentRequest();
    GestureCandidate *current = nullptr;
    for (GestureCandidate *c : r.targets()) {
        const bool qualifies = m_trackRecentInk ? r.isRecent(*c)
                                                : !c->info.ink().isAllOfKind(Stroke::Box);
        if (qualifies)
            current = c;
    }
    return current;
}

GestureCandidate *IsoOracle::columnTarget() const
{
    const EditRequest &r = *currentRequest();
    if (r.nearTargets().empty())
        return nullptr;
    const double x = r.gesture()->info.centroid().x();
    const auto distance = [x](const GestureCandidate *c) {
        return std::abs(c->info.centroid().x() - x);
    };
    double best = distance(r.nearTargets().front()) + 1.0;
    GestureCandidate *chosen = nullptr;
    for (GestureCandidate *c : r.nearTargets()) {
        const double d = distance(c);
        if (d < best && d < 0.5 * c->info.boundingRect().width() + 100.0) {
            best = d;
            chosen = c;
        }
    }
    return chosen;
}

void IsoOracle::decideEdit(float threshold)
{
    // The character being written is never the target of a gesture.
    GestureCandidate *current = currentCandidate();
    if (current)
        current->clearScores();
    for (const GestureCandidate *c : currentRequest()->nearTargets()) {
        if (scoresAbove(*c, threshold))
            return;
    }
    GestureCandidate *column = columnTarget();
    if (!column)
        return;
    column->setScore(column == current ? EditKind::Update : EditKind::Overwrite, 1.0f);
}
