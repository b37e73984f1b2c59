#include "engine/resourceholder.h"

#include "engine/lexiconobject.h"
#include "engine/zkengine.h"

#include <algorithm>

namespace zk {

bool ResourceHolder::accepts(const EngineObject &resource) const
{
    if (auto lexicon = dynamic_cast<const LexiconObject *>(&resource))
        return lexicon->isFinished();
    return resource.type() == ZK_TYPE_RESOURCE || resource.type() == ZK_TYPE_KNOWLEDGE;
}

bool ResourceHolder::attach(std::shared_ptr<EngineObject> resource)
{
    if (!resource || !accepts(*resource) || m_resources.size() >= 256)
        return false;
    if (std::find(m_resources.begin(), m_resources.end(), resource) == m_resources.end())
        m_resources.push_back(std::move(resource));
    return true;
}

void ResourceHolder::detach(const std::shared_ptr<EngineObject> &resource)
{
    m_resources.erase(std::remove(m_resources.begin(), m_resources.end(), resource),
                      m_resources.end());
}

} // namespace zk
