#pragma once

#include <atomic>
#include <cstdint>

namespace zk {

// Base of every object that an id can name; counts the instances alive.
class EngineObject
{
public:
    explicit EngineObject(uint32_t type);
    virtual ~EngineObject();
    EngineObject(const EngineObject &) = delete;
    EngineObject &operator=(const EngineObject &) = delete;

    uint32_t type() const { return m_type; }
    static int32_t liveCount();

private:
    uint32_t m_type;
    static std::atomic<int32_t> s_live;
};

} // namespace zk
