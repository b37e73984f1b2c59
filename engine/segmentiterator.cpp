#include "engine/segmentiterator.h"

namespace zk {

SegmentIterator::SegmentIterator(ResultTreePtr tree, const std::vector<ResultSegment> *segments)
    : EngineObject(ZK_TYPE_SEGMENTS)
    , m_tree(std::move(tree))
    , m_segments(segments)
{
}

void SegmentIterator::next()
{
    if (!atEnd())
        ++m_index;
}

const ResultSegment *SegmentIterator::current() const
{
    return atEnd() ? nullptr : &(*m_segments)[m_index];
}

} // namespace zk
