#pragma once

#include "model/gestureset.h"
#include "pad/gesturecandidate.h"

#include <QList>

#include <memory>
#include <vector>

// One request to an edit-gesture oracle: the gesture stroke and the pieces
// of ink it may act on, sorted into near and far targets, with the pieces
// right before and after it as neighbours.
class EditRequest final
{
public:
    EditRequest(int slotCount, GestureSet gestureSet, int strokeCount);
    EditRequest(const EditRequest &) = delete;
    EditRequest &operator=(const EditRequest &) = delete;

    GestureSet gestureSet() const { return m_gestureSet; }
    int strokeCount() const { return m_strokeCount; }

    GestureCandidate *gesture() const { return m_gesture.get(); }
    void setGesture(const InkRangeInfo &info);
    // The gesture's label; replaced by the gesture recognizer's reading.
    QString label() const { return m_gesture->info.label(); }
    void setLabel(const QString &label);

    // Files the piece as a near or far target and as a neighbour when it is
    // the nearest one on its side of the gesture.
    GestureCandidate *addTarget(const InkRangeInfo &info);
    const std::vector<GestureCandidate *> &nearTargets() const { return m_nearTargets; }
    const std::vector<GestureCandidate *> &farTargets() const { return m_farTargets; }
    // Near targets, then far targets.
    std::vector<GestureCandidate *> targets() const;
    // The targets an oracle scores: the near targets, then the left
    // neighbour when both neighbours exist, then the right neighbour when it
    // exists (a neighbour may appear twice).
    std::vector<GestureCandidate *> scoredTargets() const;
    GestureCandidate *leftNeighbour() const { return m_left; }
    GestureCandidate *rightNeighbour() const { return m_right; }

    bool hold = false;
    bool appendShortcut = false;

    // Fills the recent stamps: every slot starts delay ms before the
    // gesture; each near target written later than slot 0 is pushed in front.
    void fillRecentStamps(int delay);
    const QList<StrokeStamp> &recentStamps() const { return m_recentStamps; }
    // The oldest of the recent stamps.
    StrokeStamp recencyMark() const { return m_recentStamps.constLast(); }
    // Whether the candidate's ink began at or after the recency mark.
    bool isRecent(const GestureCandidate &candidate) const;

private:
    std::vector<std::unique_ptr<GestureCandidate>> m_owned;
    std::unique_ptr<GestureCandidate> m_gesture;
    GestureCandidate *m_left = nullptr;
    GestureCandidate *m_right = nullptr;
    std::vector<GestureCandidate *> m_nearTargets;
    std::vector<GestureCandidate *> m_farTargets;
    int m_strokeCount;
    GestureSet m_gestureSet;
    int m_slotCount;
    QList<StrokeStamp> m_recentStamps;
    int m_leftDistance = 1000;
    int m_rightDistance = 1000;
};
