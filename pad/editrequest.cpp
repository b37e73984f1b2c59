#include "pad/editrequest.h"

#include "pad/oraclegeometry.h"

#include <QPoint>

EditRequest::EditRequest(int slotCount, GestureSet gestureSet, int strokeCount)
    : m_strokeCount(strokeCount), m_gestureSet(gestureSet), m_slotCount(qMax(slotCount, 1))
{
}

void EditRequest::setGesture(const InkRangeInfo &info)
{
    m_gesture = std::make_unique<GestureCandidate>(info);
}

void EditRequest::setLabel(const QString &label)
{
    m_gesture->info = InkRangeInfo(m_gesture->info.ink(), label);
}

GestureCandidate *EditRequest::addTarget(const InkRangeInfo &info)
{
    m_owned.push_back(std::make_unique<GestureCandidate>(info));
    GestureCandidate *target = m_owned.back().get();
    const QRectF g = m_gesture->info.boundingRect();
    (inLineBand(g, info.boundingRect()) ? m_nearTargets : m_farTargets).push_back(target);

    const QPointF d = m_gesture->info.centroid() - info.centroid();
    const int m = d.toPoint().manhattanLength();
    if (m < m_rightDistance && d.x() <= 0) {
        m_right = target;
        m_rightDistance = m;
    } else if (m < m_leftDistance && d.x() > 0) {
        m_left = target;
        m_leftDistance = m;
    }
    return target;
}

std::vector<GestureCandidate *> EditRequest::targets() const
{
    std::vector<GestureCandidate *> all = m_nearTargets;
    all.insert(all.end(), m_farTargets.begin(), m_farTargets.end());
    return all;
}

std::vector<GestureCandidate *> EditRequest::scoredTargets() const
{
    std::vector<GestureCandidate *> scored = m_nearTargets;
    if (m_left && m_right)
        scored.push_back(m_left);
    if (m_right)
        scored.push_back(m_right);
    return scored;
}

void EditRequest::fillRecentStamps(int delay)
{
    m_recentStamps = QList<StrokeStamp>(m_slotCount, m_gesture->firstStamp().addMSecs(-delay));
    for (const GestureCandidate *target : m_nearTargets) {
        const StrokeStamp s = target->firstStamp();
        if (s.isLaterThan(m_recentStamps.constFirst())) {
            m_recentStamps.prepend(s);
            m_recentStamps.removeLast();
        }
    }
}

bool EditRequest::isRecent(const GestureCandidate &candidate) const
{
    return !recencyMark().isLaterThan(candidate.firstStamp());
}
