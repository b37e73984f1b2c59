#include "model/inkrangeinfo.h"

InkRangeInfo::InkRangeInfo(const Segment &segment)
    : InkRangeInfo(segment.ink(), segment.selectedCandidate().label())
{
}

InkRangeInfo::InkRangeInfo(const InkRange &ink, const QString &label)
    : m_ink(ink), m_boundingRect(ink.boundingRect()), m_centroid(ink.centroid()), m_label(label)
{
}
