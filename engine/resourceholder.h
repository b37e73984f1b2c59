#pragma once

#include "engine/engineobject.h"

#include <memory>
#include <vector>

namespace zk {

// Attachable resources of a recognizer or trainer (interface 152).
class ResourceHolder : public EngineObject
{
public:
    using EngineObject::EngineObject;

    bool attach(std::shared_ptr<EngineObject> resource);
    void detach(const std::shared_ptr<EngineObject> &resource);
    const std::vector<std::shared_ptr<EngineObject>> &resources() const { return m_resources; }

protected:
    // Resources, finished lexicons and extra knowledge.
    virtual bool accepts(const EngineObject &resource) const;

private:
    std::vector<std::shared_ptr<EngineObject>> m_resources;
};

} // namespace zk
