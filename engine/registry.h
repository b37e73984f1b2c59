#pragma once

#include "engine/zkengine.h"

#include <map>
#include <memory>
#include <mutex>

namespace zk {

class EngineObject;

// Process-wide table of engines and of the ids of their objects with reference counts.
// An id holds one shared reference to its object; containers hold their own.
class Registry
{
public:
    static Registry &instance();

    zkId createEngine();
    bool destroyEngine(zkId engine);
    bool hasEngine(zkId engine) const;
    int32_t error(zkId engine) const;
    void setError(zkId engine, int32_t code);
    std::shared_ptr<EngineObject> charset(zkId engine) const;
    void setCharset(zkId engine, std::shared_ptr<EngineObject> charset);

    zkId add(zkId engine, std::shared_ptr<EngineObject> object);
    zkId acquire(zkId engine, zkId id);
    void release(zkId engine, zkId id);
    std::shared_ptr<EngineObject> find(zkId engine, zkId id) const;

    template <class T>
    std::shared_ptr<T> get(zkId engine, zkId id) const
    {
        return std::dynamic_pointer_cast<T>(find(engine, id));
    }

private:
    struct Entry {
        zkId engine = 0;
        int refs = 0;
        std::shared_ptr<EngineObject> object;
    };
    struct EngineState {
        int32_t error = 0;
        std::shared_ptr<EngineObject> charset;
    };

    zkId nextId();

    mutable std::mutex m_mutex;
    std::map<zkId, EngineState> m_engines;
    std::map<zkId, Entry> m_objects;
    zkId m_last = 0;
};

} // namespace zk
