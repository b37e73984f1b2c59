#include "engine/engineobject.h"

namespace zk {

std::atomic<int32_t> EngineObject::s_live{0};

EngineObject::EngineObject(uint32_t type)
    : m_type(type)
{
    ++s_live;
}

EngineObject::~EngineObject()
{
    --s_live;
}

int32_t EngineObject::liveCount()
{
    return s_live.load();
}

} // namespace zk
