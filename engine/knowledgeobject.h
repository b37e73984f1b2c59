#pragma once

#include "engine/engineobject.h"

#include <string>
#include <vector>

namespace zk {

// Extra knowledge (type 318): extra labels a recognizer may answer as they are.
class KnowledgeObject : public EngineObject
{
public:
    KnowledgeObject();
    bool prepare();
    bool addEntry(const std::string &entry);
    const std::vector<std::string> &entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
    bool m_prepared = false;
};

} // namespace zk
