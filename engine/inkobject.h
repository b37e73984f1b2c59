#pragma once

#include "engine/engineobject.h"
#include "engine/inkpoint.h"

namespace zk {

// Read-only ink of a training sample (type 165).
class InkObject : public EngineObject
{
public:
    explicit InkObject(InkStrokes strokes);
    const InkStrokes &strokes() const { return m_strokes; }

private:
    InkStrokes m_strokes;
};

} // namespace zk
