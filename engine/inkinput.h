#pragma once

#include "engine/engineobject.h"
#include "engine/inkpoint.h"
#include "engine/zkengine.h"

#include <string>
#include <vector>

namespace zk {

// One entry of a unit: a pen stroke, typed text, or a known character in a box.
struct InkEntry {
    enum Kind { Stroke, Text, Character };
    Kind kind = Stroke;
    InkStroke points;
    int sourcePoints = 0; // points given, usable or not
    std::vector<std::pair<std::string, float>> labels; // Text and Character: best first
    InkBox box;                                      // Character: its box
};

struct InkUnit {
    uint32_t kind = ZK_UNIT_BOXED;
    InkBox guide;
    bool hasGuide = false;
    std::vector<InkEntry> entries;
};

// The ink input (types 104 and 108): recognition units and their entries.
class InkInput : public EngineObject
{
public:
    static constexpr int maxPoints = 4096;
    static constexpr int maxEntries = 4096;

    explicit InkInput(uint32_t type);

    void clear();
    void startUnit(uint32_t kind);
    void setGuide(const InkBox &box);
    void addStroke(const float *x, int32_t xStride, const float *y, int32_t yStride,
                   int32_t count);
    void addText(const std::string &text);
    void addCharacter(std::vector<std::pair<std::string, float>> labels, const InkBox &box);

    const std::vector<InkUnit> &units() const { return m_units; }
    InkStrokes penStrokes() const;

private:
    InkUnit &currentUnit();
    bool full() const;

    std::vector<InkUnit> m_units;
    int m_entryCount = 0;
};

} // namespace zk
