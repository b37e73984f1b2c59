#include "handwriting.h"

#include <algorithm>
#include <cmath>

namespace zk {

Handwriting::Handwriting(unsigned seed)
    : m_random(seed)
{
    m_slant = uniform(-0.1f, 0.45f);
    m_width = uniform(0.8f, 1.2f);
    m_leadIn = uniform(0.1f, 0.6f);
    m_loops = uniform(0.0f, 0.6f);
    m_joins = uniform(0.2f, 0.8f);
}

float Handwriting::uniform(float low, float high)
{
    return low + (high - low) * float(m_random() % 100000) / 100000.0f;
}

InkStroke Handwriting::connector(const InkPoint &from, const InkPoint &to, float bend)
{
    InkStroke s;
    const float dx = to.x - from.x, dy = to.y - from.y;
    for (int k = 1; k < 8; ++k) {
        float t = float(k) / 8;
        float lift = bend * std::sin(t * 3.14159f);
        s.push_back({from.x + dx * t - dy * lift * 0.3f, from.y + dy * t + std::fabs(dx) * lift * 0.3f});
    }
    return s;
}

InkStroke Handwriting::leadIn(const InkStroke &first, const InkBox &box)
{
    const InkPoint start{box.left - 0.15f * box.width(), box.bottom};
    InkStroke s{start};
    InkStroke curve = connector(start, first.front(), -0.6f);
    s.insert(s.end(), curve.begin(), curve.end());
    return s;
}

// A tall stroke going down from the top gets a loop there, as in a looped l, b or h.
void Handwriting::loopTop(InkStroke &stroke, const InkBox &box)
{
    if (stroke.size() < 2 || stroke.front().y > box.top + 0.1f * box.height()
        || stroke.back().y - stroke.front().y < 0.6f * box.height())
        return;
    const InkPoint top = stroke.front();
    const float r = 0.12f * box.height();
    InkStroke loop;
    for (int k = 0; k <= 10; ++k) {
        float a = 3.14159f * (1.0f + float(k) / 10 * 1.6f);
        loop.push_back({top.x + r * 0.6f + r * 0.6f * std::cos(a), top.y + r + r * std::sin(a)});
    }
    stroke.insert(stroke.begin(), loop.begin(), loop.end());
}

InkStrokes Handwriting::write(const InkStrokes &glyph, bool lowercase)
{
    InkBox box = boundingBox(glyph);
    const float size = uniform(0.85f, 1.15f), slant = m_slant + uniform(-0.08f, 0.08f);
    const float jitter = 0.01f * std::max(box.width(), box.height());
    InkStrokes strokes = glyph;
    if (lowercase) {
        for (InkStroke &s : strokes)
            if (chance(m_loops))
                loopTop(s, box);
        if (!strokes.empty() && !strokes.front().empty() && chance(m_leadIn)) {
            InkStroke lead = leadIn(strokes.front(), box);
            strokes.front().insert(strokes.front().begin(), lead.begin(), lead.end());
        }
        for (size_t i = 1; i < strokes.size(); ++i)
            if (!strokes[i - 1].empty() && !strokes[i].empty() && chance(m_joins)) {
                InkStroke c = connector(strokes[i - 1].back(), strokes[i].front(), 0.5f);
                strokes[i - 1].insert(strokes[i - 1].end(), c.begin(), c.end());
                strokes[i - 1].insert(strokes[i - 1].end(), strokes[i].begin(), strokes[i].end());
                strokes.erase(strokes.begin() + long(i));
                --i;
            }
    }
    InkStrokes out;
    for (const InkStroke &s : strokes) {
        InkStroke t;
        for (const InkPoint &p : s) {
            float y = (p.y - box.bottom) * size;
            float x = (p.x - box.left) * size * m_width - y * slant;
            t.push_back({x + uniform(-jitter, jitter), y + box.bottom + uniform(-jitter, jitter)});
        }
        out.push_back(std::move(t));
    }
    return out;
}

} // namespace zk
