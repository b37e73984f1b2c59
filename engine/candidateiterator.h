#pragma once

#include "engine/engineobject.h"
#include "engine/resulttree.h"

namespace zk {

// Iterator over the candidates of one segment (type 355); keeps its tree alive.
class CandidateIterator : public EngineObject
{
public:
    CandidateIterator(ResultTreePtr tree, const std::vector<ResultCandidate> *candidates);

    bool atEnd() const { return m_index >= m_candidates->size(); }
    void next();
    const ResultCandidate *current() const;
    const ResultTreePtr &tree() const { return m_tree; }

private:
    ResultTreePtr m_tree;
    const std::vector<ResultCandidate> *m_candidates;
    size_t m_index = 0;
};

} // namespace zk
