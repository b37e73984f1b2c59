#include "engine/tools/augmenter.h"

#include <algorithm>
#include <cmath>

namespace zk {

float Augmenter::uniform(float low, float high)
{
    // Own mapping keeps the variants the same with every standard library.
    return low + (high - low) * float(m_random() % 100000) / 100000.0f;
}

InkStroke Augmenter::densified(const InkStroke &stroke, float step) const
{
    InkStroke out;
    for (size_t i = 0; i < stroke.size(); ++i) {
        if (i > 0) {
            InkPoint a = stroke[i - 1], b = stroke[i];
            int n = int(std::hypot(b.x - a.x, b.y - a.y) / step);
            for (int k = 1; k < n; ++k)
                out.push_back({a.x + (b.x - a.x) * float(k) / float(n),
                               a.y + (b.y - a.y) * float(k) / float(n)});
        }
        out.push_back(stroke[i]);
    }
    return out;
}

InkStrokes Augmenter::variant(const InkStrokes &glyph, bool orderChanges)
{
    InkBox box = boundingBox(glyph);
    float extent = std::max(std::max(box.width(), box.height()), 1.0f);
    float sx = uniform(0.75f, 1.25f), sy = uniform(0.8f, 1.2f);
    float slant = uniform(-0.35f, 0.25f), angle = uniform(-0.15f, 0.15f);
    float wobble = uniform(0.0f, 0.04f) * extent, phase = uniform(0.0f, 6.28f);
    float jitter = 0.012f * extent;
    float c = std::cos(angle), s = std::sin(angle);
    InkStrokes out;
    for (const InkStroke &stroke : glyph) {
        InkStroke t;
        for (const InkPoint &p : densified(stroke, extent / 12)) {
            float x = p.x * sx + p.y * sy * slant, y = p.y * sy;
            x += wobble * std::sin(phase + y / extent * 5) + uniform(-jitter, jitter);
            y += wobble * std::cos(phase + x / extent * 5) + uniform(-jitter, jitter);
            t.push_back({x * c - y * s, x * s + y * c});
        }
        out.push_back(std::move(t));
    }
    if (!orderChanges)
        return out;
    if (out.size() > 1 && uniform(0, 1) < 0.15f)
        std::swap(out[0], out[size_t(m_random() % out.size())]);
    for (InkStroke &t : out)
        if (uniform(0, 1) < 0.15f)
            std::reverse(t.begin(), t.end());
    if (out.size() > 1 && uniform(0, 1) < 0.2f) {
        size_t k = m_random() % (out.size() - 1);
        out[k].insert(out[k].end(), out[k + 1].begin(), out[k + 1].end());
        out.erase(out.begin() + long(k) + 1);
    }
    return out;
}

} // namespace zk

namespace zk {

InkStrokes Augmenter::jittered(const InkStrokes &ink)
{
    InkBox box = boundingBox(ink);
    float extent = std::max(std::max(box.width(), box.height()), 1.0f);
    float sx = uniform(0.9f, 1.1f), sy = uniform(0.9f, 1.1f);
    float slant = uniform(-0.12f, 0.12f), angle = uniform(-0.06f, 0.06f);
    float jitter = 0.008f * extent;
    float c = std::cos(angle), s = std::sin(angle);
    InkStrokes out;
    for (const InkStroke &stroke : ink) {
        InkStroke t;
        for (const InkPoint &p : stroke) {
            float x = p.x * sx + p.y * sy * slant + uniform(-jitter, jitter);
            float y = p.y * sy + uniform(-jitter, jitter);
            t.push_back({x * c - y * s, x * s + y * c});
        }
        out.push_back(std::move(t));
    }
    return out;
}

} // namespace zk
