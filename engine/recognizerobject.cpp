#include "engine/recognizerobject.h"

#include "engine/charsetobject.h"
#include "engine/inkinput.h"

#include <algorithm>
#include <cstring>

namespace zk {

RecognizerObject::RecognizerObject(uint32_t type)
    : ResourceHolder(type)
{
}

bool RecognizerObject::setProperty(uint32_t property, const void *value, uint32_t size)
{
    if (!value)
        return false;
    if (property == ZK_PROP_SPEED_QUALITY)
        return size >= 1;
    int32_t v = 0;
    if (size != 4)
        return false;
    std::memcpy(&v, value, 4);
    v = std::clamp(v, 1, 64);
    switch (property) {
    case ZK_PROP_LIMIT_CHARACTERS: m_limits.characters = v; return true;
    case ZK_PROP_LIMIT_WORDS: m_limits.words = v; return true;
    case ZK_PROP_LIMIT_TEXT: m_limits.text = v; return true;
    default: return false;
    }
}

bool RecognizerObject::run(zkProgressFn progress, void *context,
                           std::shared_ptr<const CharsetObject> charset)
{
    m_result.reset();
    if (!m_input)
        return false;
    RecognitionContext knowledge(resources(), std::move(charset));
    TextBuilder builder(knowledge, m_limits);
    auto tree = builder.build(*m_input, [&](int value, int bound) {
        return !progress || progress(value, bound, context);
    });
    m_result = tree;
    return tree != nullptr;
}

} // namespace zk
