#include "kanjiwriter.h"

#include <algorithm>
#include <cmath>

namespace zk {

KanjiWriter::KanjiWriter(unsigned seed)
    : m_random(seed)
{
    m_slant = uniform(-0.05f, 0.15f);
    m_aspect = uniform(0.88f, 1.12f);
    m_step = uniform(0.012f, 0.05f); // point spacing, a share of the character's size
    m_shake = uniform(0.02f, 0.05f); // how far a stroke strays, a share of the size
}

float KanjiWriter::uniform(float low, float high)
{
    return low + (high - low) * float(m_random() % 100000) / 100000.0f;
}

// One stroke with its own shift, turn and length, bent by a slow wobble, sampled at the
// writer's point spacing with a little tremor; `unit` is the character's size.
InkStroke KanjiWriter::stroke(const InkStroke &line, float unit)
{
    const float dx = uniform(-m_shake, m_shake) * unit, dy = uniform(-m_shake, m_shake) * unit;
    const float angle = uniform(-0.07f, 0.07f), stretch = uniform(0.88f, 1.1f);
    const float bendX = uniform(-m_shake, m_shake) * unit, bendY = uniform(-m_shake, m_shake) * unit;
    const float phase = uniform(0, 3.14159f);
    float total = 0;
    for (size_t i = 1; i < line.size(); ++i)
        total += std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
    const InkPoint start = line.front();
    auto place = [&](InkPoint p, float along) {
        float x = (p.x - start.x) * stretch, y = (p.y - start.y) * stretch;
        const float wobble = std::sin(along * 3.14159f + phase) - std::sin(phase);
        return InkPoint{start.x + dx + x * std::cos(angle) - y * std::sin(angle) + bendX * wobble,
                        start.y + dy + x * std::sin(angle) + y * std::cos(angle) + bendY * wobble};
    };
    const float step = m_step * unit, tremor = 0.006f * unit;
    InkStroke out{place(line.front(), 0)};
    float walked = 0;
    for (size_t i = 1; i < line.size(); ++i) {
        const InkPoint a = line[i - 1], b = line[i];
        const float piece = std::hypot(b.x - a.x, b.y - a.y);
        const int n = std::max(1, int(std::ceil(piece / step)));
        for (int k = 1; k <= n; ++k) {
            const float t = float(k) / float(n);
            const InkPoint p = place({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)},
                                     total > 0 ? (walked + t * piece) / total : 0);
            out.push_back({p.x + uniform(-tremor, tremor), p.y + uniform(-tremor, tremor)});
        }
        walked += piece;
    }
    return out;
}

InkStrokes KanjiWriter::write(const InkStrokes &pen, float cellSide)
{
    const InkBox box = boundingBox(pen);
    const float extent = std::max({box.width(), box.height(), 1.0f});
    const float size = uniform(0.62f, 0.85f) * cellSide; // the character's size in the cell
    const float slant = m_slant + uniform(-0.04f, 0.04f);
    const float cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const float offsetX = uniform(-0.06f, 0.06f) * cellSide, offsetY = uniform(-0.06f, 0.06f) * cellSide;
    InkStrokes out;
    for (const InkStroke &s : pen) {
        InkStroke scaled;
        for (const InkPoint &p : s) {
            const float y = (p.y - cy) / extent * size, x = (p.x - cx) / extent * size * m_aspect;
            scaled.push_back({cellSide / 2 + offsetX + x - y * slant, cellSide / 2 + offsetY + y});
        }
        out.push_back(stroke(scaled, size));
    }
    return out;
}

} // namespace zk
