#include "engine/knowledgeobject.h"

#include "engine/zkengine.h"

namespace zk {

KnowledgeObject::KnowledgeObject()
    : EngineObject(ZK_TYPE_KNOWLEDGE)
{
}

bool KnowledgeObject::prepare()
{
    m_prepared = true;
    return true;
}

bool KnowledgeObject::addEntry(const std::string &entry)
{
    if (!m_prepared || entry.empty() || m_entries.size() >= 1024)
        return false;
    m_entries.push_back(entry);
    return true;
}

} // namespace zk
