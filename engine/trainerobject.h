#pragma once

#include "engine/resourceholder.h"
#include "engine/zkengine.h"

namespace zk {

class ResourceObject;

// A trainer (type 1503): trains a user resource from its attached training sets: the
// samples themselves as templates for Latin labels, a Zinnia model for others.
class TrainerObject : public ResourceHolder
{
public:
    TrainerObject();

    bool run(zkProgressFn progress, void *context);
    const std::shared_ptr<ResourceObject> &trained() const { return m_trained; }

protected:
    bool accepts(const EngineObject &resource) const override;

private:
    std::shared_ptr<ResourceObject> m_trained;
};

} // namespace zk
