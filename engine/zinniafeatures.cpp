#include "engine/zinniafeatures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zk {

namespace {

// Segments past this split id carry no features, so the split stops there.
const size_t lastSegment = 50;
const float splitError = 0.001f;
const uint32_t strokeOffset = 1000;
const uint32_t segmentOffset = 20;
const uint32_t moveOffset = 100000;
const uint32_t strokeCountIndex = 2000000;

struct Node {
    float x;
    float y;
};

struct Segment {
    const Node *first = nullptr;
    const Node *last = nullptr;
};

using Features = std::vector<ZinniaFeatures::Feature>;

// Indices wrap around as Zinnia's do past two million strokes, without overflowing an int.
int wrapped(uint64_t index)
{
    return int(uint32_t(index));
}

// The squared distance of the node farthest from the chord first-last (last itself not
// counted), relative to the chord's squared length; that node goes to best.
float farthest(const Node *first, const Node *last, const Node **best)
{
    if (first == last)
        return 0.0f;
    const float a = last->x - first->x;
    const float b = last->y - first->y;
    const float c = last->y * first->x - last->x * first->y;
    float max = -1.0f;
    for (const Node *n = first; n != last; ++n) {
        const float d = std::fabs((a * n->y) - (b * n->x) + c);
        if (d > max) {
            max = d;
            *best = n;
        }
    }
    return max * max / (a * a + b * b);
}

void split(const Node *first, const Node *last, size_t id, std::vector<Segment> &segments)
{
    if (id > lastSegment)
        return;
    if (segments.size() <= id)
        segments.resize(id + 1);
    segments[id] = {first, last};
    const Node *best = nullptr;
    if (farthest(first, last, &best) > splitError) {
        split(first, best, id * 2 + 1, segments);
        split(best, last, id * 2 + 2, segments);
    }
}

float length(const Node *a, const Node *b)
{
    const float x = a->x - b->x;
    const float y = a->y - b->y;
    return std::sqrt(x * x + y * y);
}

float fromCentre(const Node *n)
{
    const float x = n->x - 0.5;
    const float y = n->y - 0.5;
    return std::sqrt(x * x + y * y);
}

void addSegment(Features &out, uint32_t offset, const Node *first, const Node *last)
{
    out.push_back({wrapped(offset + 1), 10 * length(first, last)});
    out.push_back({wrapped(offset + 2), std::atan2(last->y - first->y, last->x - first->x)});
    out.push_back({wrapped(offset + 3), float(10 * (first->x - 0.5))});
    out.push_back({wrapped(offset + 4), float(10 * (first->y - 0.5))});
    out.push_back({wrapped(offset + 5), float(10 * (last->x - 0.5))});
    out.push_back({wrapped(offset + 6), float(10 * (last->y - 0.5))});
    out.push_back({wrapped(offset + 7), float(std::atan2(first->y - 0.5, first->x - 0.5))});
    out.push_back({wrapped(offset + 8), float(std::atan2(last->y - 0.5, last->x - 0.5))});
    out.push_back({wrapped(offset + 9), 10 * fromCentre(first)});
    out.push_back({wrapped(offset + 10), 10 * fromCentre(last)});
    out.push_back({wrapped(offset + 11), 5 * (last->x - first->x)});
    out.push_back({wrapped(offset + 12), 5 * (last->y - first->y)});
}

} // namespace

ZinniaFeatures::ZinniaFeatures(const std::vector<Stroke> &strokes, size_t width, size_t height)
{
    if (width == 0 || height == 0 || strokes.empty())
        return;
    std::vector<std::vector<Node>> nodes(strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i) {
        if (strokes[i].empty())
            return;
        for (const Point &p : strokes[i])
            nodes[i].push_back({float(1.0 * p.x / width), float(1.0 * p.y / height)});
    }
    Features out{{0, 1.0f}}; // the bias term
    const Node *previous = nullptr;
    std::vector<Segment> segments;
    for (size_t sid = 0; sid < nodes.size(); ++sid) {
        const Node *first = &nodes[sid].front();
        const Node *last = &nodes[sid].back();
        segments.clear();
        split(first, last, 0, segments);
        for (size_t i = 0; i < segments.size(); ++i) {
            if (segments[i].first)
                addSegment(out, uint32_t(sid * strokeOffset + segmentOffset * i),
                           segments[i].first, segments[i].last);
        }
        if (previous)
            addSegment(out, uint32_t(moveOffset + sid * strokeOffset), previous, first);
        previous = last;
    }
    out.push_back({int(strokeCountIndex), float(nodes.size())});
    out.push_back({wrapped(strokeCountIndex + nodes.size()), 10.0f});
    // The same sort as Zinnia's, so that repeated indices keep the same first entry.
    std::sort(out.begin(), out.end(),
              [](const Feature &a, const Feature &b) { return a.index < b.index; });
    m_features = std::move(out);
}

} // namespace zk
