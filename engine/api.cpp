// The C entry points of libInkoraEngine.so.
#include "engine/zkengine.h"

#include "engine/characterobject.h"
#include "engine/charsetobject.h"
#include "engine/inkinput.h"
#include "engine/interfaces.h"
#include "engine/knowledgeobject.h"
#include "engine/lexiconobject.h"
#include "engine/objectframe.h"
#include "engine/recognizerobject.h"
#include "engine/registry.h"
#include "engine/resourceobject.h"
#include "engine/trainerobject.h"
#include "engine/trainingsetobject.h"

#include <cstring>

using namespace zk;

namespace {

enum Error { NoError = 0, BadData = 2 };

Registry &registry()
{
    return Registry::instance();
}

std::shared_ptr<EngineObject> created(uint32_t type)
{
    switch (type) {
    case ZK_TYPE_CALC_INK_INPUT:
    case ZK_TYPE_INK_INPUT: return std::make_shared<InkInput>(type);
    case ZK_TYPE_CHARACTER: return std::make_shared<CharacterObject>();
    case ZK_TYPE_CALC_RECOGNIZER:
    case ZK_TYPE_RECOGNIZER: return std::make_shared<RecognizerObject>(type);
    case ZK_TYPE_LEXICON: return std::make_shared<LexiconObject>();
    case ZK_TYPE_KNOWLEDGE: return std::make_shared<KnowledgeObject>();
    case ZK_TYPE_TRAINING_SET: return std::make_shared<TrainingSetObject>();
    case ZK_TYPE_TRAINER: return std::make_shared<TrainerObject>();
    default: return nullptr;
    }
}

std::shared_ptr<EngineObject> loaded(const ObjectFrame &frame)
{
    switch (frame.type) {
    case ZK_TYPE_RESOURCE: {
        auto r = std::make_shared<ResourceObject>();
        return r->load(frame.payload) ? r : nullptr;
    }
    case ZK_TYPE_CHARSET: {
        auto c = std::make_shared<CharsetObject>();
        return c->load(frame.payload) ? c : nullptr;
    }
    case ZK_TYPE_TRAINING_SET: {
        auto t = std::make_shared<TrainingSetObject>();
        return t->load(frame.payload) ? t : nullptr;
    }
    default: return nullptr;
    }
}

zkId addLoaded(zkId engine, bool ok, const ObjectFrame &frame)
{
    auto object = ok ? loaded(frame) : nullptr;
    registry().setError(engine, object ? NoError : BadData);
    return object ? registry().add(engine, object) : 0;
}

} // namespace

extern "C" {

zkId zkCreateEngine(uint32_t version, const void *, uint32_t)
{
    return version == ZK_ENGINE_VERSION ? registry().createEngine() : 0;
}

void zkDestroyEngine(zkId engine)
{
    registry().destroyEngine(engine);
}

int32_t zkGetError(zkId engine)
{
    return registry().error(engine);
}

void zkSetError(zkId engine, int32_t code)
{
    registry().setError(engine, code);
}

const zkOperation *zkGetInterface(zkId engine, uint32_t interfaceNumber)
{
    return registry().hasEngine(engine) ? Interfaces::table(interfaceNumber) : nullptr;
}

int32_t zkImplements(zkId engine, zkId object, uint32_t interfaceNumber)
{
    auto o = registry().find(engine, object);
    return o && Interfaces::implements(o->type(), interfaceNumber);
}

int32_t zkIsCompatible(zkId, uint32_t version)
{
    return version == ZK_ENGINE_VERSION;
}

int32_t zkGetTypeProperty(zkId engine, uint32_t type, uint32_t property, void *value,
                          uint32_t size)
{
    if (type != 0 || property != ZK_TYPE_PROPERTY_CHARSET || !value || size != 4
        || !registry().hasEngine(engine))
        return 0;
    auto charset = registry().charset(engine);
    zkId id = charset ? registry().add(engine, charset) : 0;
    std::memcpy(value, &id, 4);
    return 4;
}

int32_t zkSetTypeProperty(zkId engine, uint32_t type, uint32_t property, const void *value,
                          uint32_t size)
{
    if (type != 0 || property != ZK_TYPE_PROPERTY_CHARSET || !value || size != 4)
        return 0;
    zkId id;
    std::memcpy(&id, value, 4);
    auto charset = std::dynamic_pointer_cast<CharsetObject>(registry().find(engine, id));
    if (id != 0 && !charset)
        return 0;
    registry().setCharset(engine, charset);
    return 4;
}

zkId zkCreateObject(zkId engine, uint32_t type)
{
    return registry().add(engine, created(type));
}

zkId zkCreateObjectEx(zkId engine, uint32_t type, const void *, uint32_t)
{
    return zkCreateObject(engine, type);
}

zkId zkLoadObject(zkId engine, zkStreamFn read, void *userData)
{
    if (!registry().hasEngine(engine))
        return 0;
    ObjectFrame frame;
    bool ok = frame.read(read, userData);
    return addLoaded(engine, ok, frame);
}

zkId zkMakeObject(zkId engine, const void *bytes, uint32_t size)
{
    if (!registry().hasEngine(engine) || !bytes)
        return 0;
    ObjectFrame frame;
    bool ok = frame.parse(std::string(static_cast<const char *>(bytes), size));
    return addLoaded(engine, ok, frame);
}

int32_t zkStoreObject(zkId engine, zkId object, zkStreamFn write, void *userData, uint32_t)
{
    auto o = registry().find(engine, object);
    ObjectFrame frame;
    if (auto r = std::dynamic_pointer_cast<ResourceObject>(o))
        frame.payload = r->payload();
    else if (auto c = std::dynamic_pointer_cast<CharsetObject>(o))
        frame.payload = c->payload();
    else if (auto t = std::dynamic_pointer_cast<TrainingSetObject>(o))
        frame.payload = t->payload();
    else
        return 0;
    frame.type = o->type();
    return frame.write(write, userData);
}

zkId zkAcquireObject(zkId engine, zkId object)
{
    return registry().acquire(engine, object);
}

void zkReleaseObject(zkId engine, zkId object)
{
    registry().release(engine, object);
}

int32_t zkIsSame(zkId engine, zkId a, zkId b)
{
    auto oa = registry().find(engine, a);
    return oa && oa == registry().find(engine, b);
}

uint32_t zkGetType(zkId engine, zkId object)
{
    auto o = registry().find(engine, object);
    return o ? o->type() : 0;
}

int32_t zkGetProperty(zkId, zkId, uint32_t, void *, uint32_t)
{
    return 0; // no object property is readable
}

int32_t zkSetProperty(zkId engine, zkId object, uint32_t property, const void *value,
                      uint32_t size)
{
    auto r = registry().get<RecognizerObject>(engine, object);
    return r && r->setProperty(property, value, size) ? int32_t(size) : 0;
}

int32_t zkGetLineMetrics(zkId engine, zkId recognizer, zkLineMetrics *out, int32_t capacity)
{
    auto r = registry().get<RecognizerObject>(engine, recognizer);
    if (!r || !r->result())
        return 0;
    const auto &lines = r->result()->lines;
    for (int32_t i = 0; out && i < capacity && size_t(i) < lines.size(); ++i)
        out[i] = lines[size_t(i)];
    return int32_t(lines.size());
}

int32_t zkLiveObjectCount(void)
{
    return EngineObject::liveCount();
}

} // extern "C"
