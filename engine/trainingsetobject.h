#pragma once

#include "engine/engineobject.h"
#include "engine/inkpoint.h"

#include <string>
#include <vector>

namespace zk {

struct TrainingSample {
    std::string label;
    InkStrokes ink;
};

// Labelled ink samples (type 1500), stored and loaded in the engine's format.
class TrainingSetObject : public EngineObject
{
public:
    static constexpr uint32_t maxSamples = 100000;

    TrainingSetObject();

    bool add(const std::string &label, InkStrokes ink);
    bool remove(int64_t index);
    const std::vector<TrainingSample> &samples() const { return m_samples; }

    std::string payload() const;
    bool load(const std::string &payload);

private:
    std::vector<TrainingSample> m_samples;
};

} // namespace zk
