#include "engine/registry.h"

#include "engine/engineobject.h"

#include <vector>

namespace zk {

Registry &Registry::instance()
{
    static Registry registry;
    return registry;
}

zkId Registry::nextId()
{
    do {
        ++m_last;
    } while (m_last == 0 || m_engines.count(m_last) || m_objects.count(m_last));
    return m_last;
}

zkId Registry::createEngine()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    zkId id = nextId();
    m_engines[id] = EngineState();
    return id;
}

bool Registry::destroyEngine(zkId engine)
{
    std::vector<std::shared_ptr<EngineObject>> dying;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto e = m_engines.find(engine);
        if (e == m_engines.end())
            return false;
        dying.push_back(std::move(e->second.charset));
        m_engines.erase(e);
        for (auto it = m_objects.begin(); it != m_objects.end();) {
            if (it->second.engine == engine) {
                dying.push_back(std::move(it->second.object));
                it = m_objects.erase(it);
            } else {
                ++it;
            }
        }
    }
    return true; // objects die here, outside the lock
}

bool Registry::hasEngine(zkId engine) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_engines.count(engine) != 0;
}

int32_t Registry::error(zkId engine) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto e = m_engines.find(engine);
    return e == m_engines.end() ? 0 : e->second.error;
}

void Registry::setError(zkId engine, int32_t code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto e = m_engines.find(engine);
    if (e != m_engines.end())
        e->second.error = code;
}

std::shared_ptr<EngineObject> Registry::charset(zkId engine) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto e = m_engines.find(engine);
    return e == m_engines.end() ? nullptr : e->second.charset;
}

void Registry::setCharset(zkId engine, std::shared_ptr<EngineObject> charset)
{
    std::shared_ptr<EngineObject> old;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto e = m_engines.find(engine);
    if (e == m_engines.end())
        return;
    old = std::move(e->second.charset);
    e->second.charset = std::move(charset);
}

zkId Registry::add(zkId engine, std::shared_ptr<EngineObject> object)
{
    if (!object)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_engines.count(engine))
        return 0;
    zkId id = nextId();
    m_objects[id] = Entry{engine, 1, std::move(object)};
    return id;
}

zkId Registry::acquire(zkId engine, zkId id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_objects.find(id);
    if (it == m_objects.end() || it->second.engine != engine)
        return 0;
    ++it->second.refs;
    return id;
}

void Registry::release(zkId engine, zkId id)
{
    std::shared_ptr<EngineObject> dying;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_objects.find(id);
    if (it == m_objects.end() || it->second.engine != engine)
        return;
    if (--it->second.refs > 0)
        return;
    dying = std::move(it->second.object);
    m_objects.erase(it);
}

std::shared_ptr<EngineObject> Registry::find(zkId engine, zkId id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_objects.find(id);
    if (it == m_objects.end() || it->second.engine != engine)
        return nullptr;
    return it->second.object;
}

} // namespace zk
