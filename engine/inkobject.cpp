#include "engine/inkobject.h"

#include "engine/zkengine.h"

namespace zk {

InkObject::InkObject(InkStrokes strokes)
    : EngineObject(ZK_TYPE_INK)
    , m_strokes(std::move(strokes))
{
}

} // namespace zk
