#pragma once

#include "engine/engineobject.h"
#include "engine/resulttree.h"

namespace zk {

// The result of a run (type 400).
class ResultObject : public EngineObject
{
public:
    explicit ResultObject(ResultTreePtr tree);
    const ResultTreePtr &tree() const { return m_tree; }

private:
    ResultTreePtr m_tree;
};

} // namespace zk
