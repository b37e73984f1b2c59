#pragma once

#include "engine/engineobject.h"
#include "engine/resulttree.h"

namespace zk {

// Iterator over the child segments of one candidate (type 356); keeps its tree alive.
class SegmentIterator : public EngineObject
{
public:
    SegmentIterator(ResultTreePtr tree, const std::vector<ResultSegment> *segments);

    bool atEnd() const { return m_index >= m_segments->size(); }
    void next();
    const ResultSegment *current() const;
    const ResultTreePtr &tree() const { return m_tree; }

private:
    ResultTreePtr m_tree;
    const std::vector<ResultSegment> *m_segments;
    size_t m_index = 0;
};

} // namespace zk
