#pragma once

#include "engine/characterclassifier.h"
#include "engine/inkpoint.h"

#include <string>
#include <vector>

namespace zk {

// The user's own samples kept as templates: ink reads as the labels of its nearest samples
// by an elastic distance (dynamic time warping over the pen's path, resampled and
// normalised). With a few samples per letter of one writer this reads far better than a
// model trained from them.
class TemplateClassifier
{
public:
    struct Sample {
        std::string label;
        InkStrokes ink;
    };

    // The latest samples of a label that are kept.
    static constexpr int maxPerLabel = 12;

    // Learns the samples; false when none has ink.
    bool train(const std::vector<Sample> &samples);

    // Labels by distance, nearest first. The score falls with the distance; the first
    // guess's margin is above 0 when the ink lies clearly nearer to that label's samples
    // than the user's letters lie to each other, and nearer than to any other label.
    Guesses classify(const InkStrokes &ink, int count) const;

    std::string payload() const;
    // False for bad data or no template.
    bool load(const std::string &payload);

private:
    struct Point {
        float x, y;   // normalised position
        float dx, dy; // direction of the path
        float air;    // 1 on the way between strokes
    };
    using Path = std::vector<Point>;
    struct Template {
        std::string label;
        InkStrokes ink;
        Path path;
    };

    static Path pathOf(const InkStrokes &ink);
    // The warped distance, or infinity once it must exceed bound.
    static float distance(const Path &a, const Path &b, float bound);
    // A cheap likeness for the order of the search: the mean distance of the points in turn.
    static float straightDistance(const Path &a, const Path &b);
    bool setTemplates(std::vector<Template> templates);
    // The unit of distance: the median distance of a sample to the nearest sample of
    // another label (repeated samples of one label do not shrink it).
    float unitDistance() const;
    // Each label's distance to the path, in units, for the nearest `count` labels.
    std::vector<std::pair<float, size_t>> nearest(const Path &path, int count) const;

    std::vector<Template> m_templates;
    std::vector<std::string> m_labels;
    std::vector<size_t> m_labelOf; // per template, its index in m_labels
    float m_unit = 1;
};

} // namespace zk
