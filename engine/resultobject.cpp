#include "engine/resultobject.h"

namespace zk {

ResultObject::ResultObject(ResultTreePtr tree)
    : EngineObject(ZK_TYPE_RESULT)
    , m_tree(std::move(tree))
{
}

} // namespace zk
