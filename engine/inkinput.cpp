#include "engine/inkinput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zk {

namespace {

const float maxCoordinate = 1e7f;

bool usable(float v)
{
    return std::isfinite(v) && std::fabs(v) <= maxCoordinate;
}

bool usable(const InkBox &box)
{
    return usable(box.left) && usable(box.top) && usable(box.right) && usable(box.bottom);
}

} // namespace

InkInput::InkInput(uint32_t type)
    : EngineObject(type)
{
}

void InkInput::clear()
{
    m_units.clear();
    m_entryCount = 0;
}

InkUnit &InkInput::currentUnit()
{
    if (m_units.empty())
        m_units.emplace_back();
    return m_units.back();
}

bool InkInput::full() const
{
    return m_entryCount >= maxEntries;
}

void InkInput::startUnit(uint32_t kind)
{
    if (m_units.size() >= size_t(maxEntries))
        return;
    InkUnit unit;
    unit.kind = kind == ZK_UNIT_FREE ? ZK_UNIT_FREE : ZK_UNIT_BOXED;
    m_units.push_back(unit);
}

void InkInput::setGuide(const InkBox &box)
{
    if (!usable(box) || box.width() <= 0 || box.height() <= 0)
        return;
    InkUnit &unit = currentUnit();
    unit.guide = box;
    unit.hasGuide = true;
}

void InkInput::addStroke(const float *x, int32_t xStride, const float *y, int32_t yStride,
                         int32_t count)
{
    if (full() || !x || !y || count < 0 || xStride <= 0 || yStride <= 0)
        return;
    InkEntry entry;
    entry.sourcePoints = std::min(count, int32_t(32767));
    const char *px = reinterpret_cast<const char *>(x);
    const char *py = reinterpret_cast<const char *>(y);
    for (int32_t i = 0; i < count && int(entry.points.size()) < maxPoints; ++i) {
        float vx, vy;
        std::memcpy(&vx, px + size_t(i) * size_t(xStride), sizeof vx);
        std::memcpy(&vy, py + size_t(i) * size_t(yStride), sizeof vy);
        if (usable(vx) && usable(vy))
            entry.points.push_back({vx, vy});
    }
    currentUnit().entries.push_back(std::move(entry));
    ++m_entryCount;
}

void InkInput::addText(const std::string &text)
{
    if (full())
        return;
    InkEntry entry;
    entry.kind = InkEntry::Text;
    entry.labels.push_back({text, 1.0f});
    currentUnit().entries.push_back(std::move(entry));
    ++m_entryCount;
}

void InkInput::addCharacter(std::vector<std::pair<std::string, float>> labels, const InkBox &box)
{
    if (full())
        return;
    InkEntry entry;
    entry.kind = InkEntry::Character;
    entry.labels = std::move(labels);
    if (usable(box))
        entry.box = box;
    currentUnit().entries.push_back(std::move(entry));
    ++m_entryCount;
}

InkStrokes InkInput::penStrokes() const
{
    InkStrokes strokes;
    for (const InkUnit &unit : m_units)
        for (const InkEntry &entry : unit.entries)
            if (entry.kind == InkEntry::Stroke && !entry.points.empty())
                strokes.push_back(entry.points);
    return strokes;
}

} // namespace zk
