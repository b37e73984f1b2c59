#pragma once

#include "engine/inkpoint.h"

#include <string>
#include <vector>

namespace zk {

// Labelled characters of real pen ink, y growing downwards.
class InkCorpus
{
public:
    struct Sample {
        std::string label;
        InkStrokes ink;
    };

    // By the file's name: ".json" files hold {"rawData": {"<label>": [sample, ...]}}, each
    // sample a list of strokes of [x, y] points; other files are UNIPEN text
    // (".SEGMENT ... \"<label>\"", ".PEN_DOWN", "x y" lines, ".PEN_UP"). yUp: the file's
    // y grows upwards. False when the file cannot be read or holds no sample.
    bool read(const std::string &path, bool yUp = false);
    const std::vector<Sample> &samples() const { return m_samples; }

private:
    bool readUnipen(const std::string &text, bool yUp);
    bool readJson(const std::string &text);

    std::vector<Sample> m_samples;
};

} // namespace zk
