#include "engine/candidateiterator.h"

namespace zk {

CandidateIterator::CandidateIterator(ResultTreePtr tree,
                                     const std::vector<ResultCandidate> *candidates)
    : EngineObject(ZK_TYPE_CANDIDATES)
    , m_tree(std::move(tree))
    , m_candidates(candidates)
{
}

void CandidateIterator::next()
{
    if (!atEnd())
        ++m_index;
}

const ResultCandidate *CandidateIterator::current() const
{
    return atEnd() ? nullptr : &(*m_candidates)[m_index];
}

} // namespace zk
