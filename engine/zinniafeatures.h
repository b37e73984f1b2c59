#pragma once

#include <cstddef>
#include <vector>

namespace zk {

// The sparse feature vector Zinnia computes for a character, reproduced value for value:
// the segments of each stroke's recursive split at its farthest points, the pen moves
// between strokes and the stroke count, ordered by index.
class ZinniaFeatures
{
public:
    struct Point {
        int x = 0;
        int y = 0;
    };
    using Stroke = std::vector<Point>;
    struct Feature {
        int index;
        float value;
    };

    // Invalid (no features) when the box is empty, there is no stroke or a stroke has no point.
    ZinniaFeatures(const std::vector<Stroke> &strokes, size_t width, size_t height);

    bool isValid() const { return !m_features.empty(); }
    // Ascending by index; an index may repeat, and then only its first entry counts.
    const std::vector<Feature> &features() const { return m_features; }

private:
    std::vector<Feature> m_features;
};

} // namespace zk
