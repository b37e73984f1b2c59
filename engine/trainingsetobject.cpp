#include "engine/trainingsetobject.h"

#include "engine/bytereader.h"
#include "engine/bytewriter.h"
#include "engine/utf8.h"
#include "engine/zkengine.h"

#include <cmath>

namespace zk {

TrainingSetObject::TrainingSetObject()
    : EngineObject(ZK_TYPE_TRAINING_SET)
{
}

bool TrainingSetObject::add(const std::string &label, InkStrokes ink)
{
    if (label.empty() || !Utf8::isValid(label) || ink.empty() || m_samples.size() >= maxSamples)
        return false;
    m_samples.push_back({label, std::move(ink)});
    return true;
}

bool TrainingSetObject::remove(int64_t index)
{
    if (index < 0 || uint64_t(index) >= m_samples.size())
        return false;
    m_samples.erase(m_samples.begin() + index);
    return true;
}

std::string TrainingSetObject::payload() const
{
    ByteWriter w;
    w.u32(uint32_t(m_samples.size()));
    for (const TrainingSample &s : m_samples) {
        w.text(s.label);
        w.u32(uint32_t(s.ink.size()));
        for (const InkStroke &stroke : s.ink) {
            w.u32(uint32_t(stroke.size()));
            for (const InkPoint &p : stroke) {
                w.f32(p.x);
                w.f32(p.y);
            }
        }
    }
    return w.bytes();
}

bool TrainingSetObject::load(const std::string &payload)
{
    ByteReader r(payload);
    uint32_t n = r.count(8);
    std::vector<TrainingSample> samples;
    for (uint32_t i = 0; i < n && r.ok(); ++i) {
        TrainingSample s;
        s.label = r.text();
        uint32_t strokes = r.count(4);
        for (uint32_t k = 0; k < strokes && r.ok(); ++k) {
            uint32_t points = r.count(8);
            InkStroke stroke;
            for (uint32_t j = 0; j < points && r.ok(); ++j) {
                float x = r.f32(), y = r.f32();
                if (!std::isfinite(x) || !std::isfinite(y))
                    return false;
                stroke.push_back({x, y});
            }
            s.ink.push_back(std::move(stroke));
        }
        if (s.label.empty() || !Utf8::isValid(s.label))
            return false;
        samples.push_back(std::move(s));
    }
    if (!r.ok() || !r.atEnd() || samples.size() > maxSamples)
        return false;
    m_samples = std::move(samples);
    return true;
}

} // namespace zk
