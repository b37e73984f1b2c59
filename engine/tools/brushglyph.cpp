#include "brushglyph.h"

#include <algorithm>
#include <cmath>

namespace zk {

namespace {

const float close = 1.6f;   // outlines of one brush stroke lie this close (font units)
const float serif = 3.2f;     // sharp turns this close to a stroke's end are brush serifs
const float serifBack = 7.0f; // and turns back this close
const float joinGap = 1.5f; // a stroke goes on from where another ends
const float minimum = 2.0f; // shorter pieces are left over from outlines
const float markSize = 5.0f; // marks (voicing marks, a final dot) at the top right are this small

float distance(const InkPoint &a, const InkPoint &b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

float toSegment(const InkPoint &p, const InkPoint &a, const InkPoint &b)
{
    const float dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const float t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0f, 1.0f) : 0;
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

float toStroke(const InkPoint &p, const InkStroke &s)
{
    if (s.size() == 1)
        return distance(p, s[0]);
    float best = 1e9f;
    for (size_t i = 1; i < s.size(); ++i)
        best = std::min(best, toSegment(p, s[i - 1], s[i]));
    return best;
}

float length(const InkStroke &s)
{
    float l = 0;
    for (size_t i = 1; i < s.size(); ++i)
        l += distance(s[i - 1], s[i]);
    return l;
}

// Points every half unit along the stroke.
InkStroke dense(const InkStroke &s)
{
    InkStroke out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i == 0) {
            out.push_back(s[0]);
            continue;
        }
        const int n = std::max(1, int(distance(s[i - 1], s[i]) * 2));
        for (int k = 1; k <= n; ++k) {
            float t = float(k) / float(n);
            out.push_back({s[i - 1].x + t * (s[i].x - s[i - 1].x), s[i - 1].y + t * (s[i].y - s[i - 1].y)});
        }
    }
    return out;
}

float turn(const InkPoint &a, const InkPoint &b, const InkPoint &c)
{
    float a1 = std::atan2(b.y - a.y, b.x - a.x), a2 = std::atan2(c.y - b.y, c.x - b.x);
    float d = std::fabs(a2 - a1);
    return d > 3.14159f ? 6.28318f - d : d;
}

float heading(const InkStroke &s, bool atEnd)
{
    const InkPoint &a = atEnd ? s[s.size() - 2] : s[0], &b = atEnd ? s.back() : s[1];
    return std::atan2(b.y - a.y, b.x - a.x);
}

bool horizontal(const InkPoint &a, const InkPoint &b)
{
    return std::fabs(b.x - a.x) > 2 * std::fabs(b.y - a.y);
}

bool downstroke(const InkStroke &s)
{
    return s.back().y - s.front().y > std::fabs(s.back().x - s.front().x);
}

// Where a horizontal piece of h crosses v away from both ends of v.
bool crossesHorizontally(const InkStroke &h, const InkStroke &v)
{
    for (size_t i = 1; i < h.size(); ++i) {
        if (!horizontal(h[i - 1], h[i]))
            continue;
        const float y = (h[i - 1].y + h[i].y) / 2;
        const float left = std::min(h[i - 1].x, h[i].x) + 1, right = std::max(h[i - 1].x, h[i].x) - 1;
        for (size_t j = 1; j < v.size(); ++j) {
            const float top = std::min(v[j - 1].y, v[j].y), bottom = std::max(v[j - 1].y, v[j].y);
            if (y <= top + 1 || y >= bottom - 1)
                continue;
            const float t = (y - v[j - 1].y) / (v[j].y - v[j - 1].y);
            const float x = v[j - 1].x + t * (v[j].x - v[j - 1].x);
            if (x > left && x < right && y > v.front().y + 1 && y < v.back().y - 1)
                return true;
        }
    }
    return false;
}

} // namespace

InkStrokes BrushGlyph::withoutDoubles(const InkStrokes &strokes)
{
    std::vector<size_t> byLength(strokes.size());
    for (size_t i = 0; i < byLength.size(); ++i)
        byLength[i] = i;
    std::stable_sort(byLength.begin(), byLength.end(),
                     [&](size_t a, size_t b) { return length(strokes[a]) > length(strokes[b]); });
    std::vector<bool> kept(strokes.size(), false);
    for (size_t i : byLength) {
        const InkStroke points = dense(strokes[i]);
        size_t covered = 0;
        for (const InkPoint &p : points)
            for (size_t k = 0; k < strokes.size(); ++k)
                if (kept[k] && toStroke(p, strokes[k]) <= close) {
                    ++covered;
                    break;
                }
        kept[i] = covered < points.size() * 7 / 10;
    }
    InkStrokes out;
    for (size_t i = 0; i < strokes.size(); ++i)
        if (kept[i])
            out.push_back(strokes[i]);
    return out;
}

// Cuts the stroke at its sharpest turn near each end: over 70 degrees within `serif` of the
// end, or turning back (over 115 degrees) within `serifBack`, the brush's end flourish.
void BrushGlyph::trimSerifs(InkStroke &s)
{
    for (int end = 0; end < 2; ++end) {
        float walked = 0, sharpest = 0, cutAt = 0;
        size_t cut = 0;
        for (size_t i = 1; i + 1 < s.size(); ++i) {
            walked += distance(s[i - 1], s[i]);
            if (walked > serifBack)
                break;
            const float t = turn(s[i - 1], s[i], s[i + 1]);
            if (t > sharpest && (t > 2.0f || (t > 1.2f && walked <= serif))) {
                sharpest = t;
                cut = i;
                cutAt = walked;
            }
        }
        if (cut > 0 && length(s) > 2.5f * cutAt)
            s.erase(s.begin(), s.begin() + long(cut));
        std::reverse(s.begin(), s.end());
    }
}

// Lines run rightwards and downwards, as the pen moves.
void BrushGlyph::orient(InkStroke &s)
{
    const float dx = s.back().x - s.front().x, dy = s.back().y - s.front().y;
    if (std::hypot(dx, dy) < 0.3f * length(s))
        return;
    const bool leftwards = dx < 0 && std::fabs(dx) > 2 * std::fabs(dy);
    const bool upwards = dy < 0 && (dx <= 0 || std::fabs(dy) > 2 * std::fabs(dx));
    if (leftwards || upwards)
        std::reverse(s.begin(), s.end());
}

// A stroke that starts where another ends goes on from it: a corner turning down from a
// rightward line, or a line going on in nearly the same direction.
InkStrokes BrushGlyph::joined(InkStrokes strokes)
{
    for (bool again = true; again;) {
        again = false;
        for (size_t a = 0; a < strokes.size() && !again; ++a)
            for (size_t b = 0; b < strokes.size() && !again; ++b) {
                InkStroke &s = strokes[a], &t = strokes[b];
                if (a == b || s.size() < 2 || t.size() < 2 || distance(s.back(), t.front()) > joinGap)
                    continue;
                const float out = heading(s, true), in = heading(t, false);
                float bend = std::fabs(out - in);
                bend = bend > 3.14159f ? 6.28318f - bend : bend;
                const bool corner = horizontal(s[s.size() - 2], s.back()) && s.back().x > s[s.size() - 2].x
                                    && t[1].y - t[0].y > 0.3f * std::fabs(t[1].x - t[0].x);
                if (!corner && bend > 0.8f)
                    continue;
                s.insert(s.end(), t.begin() + 1, t.end());
                strokes.erase(strokes.begin() + long(b));
                again = true;
            }
    }
    return strokes;
}

// Left parts before right parts; within a part top to bottom and left to right, a line
// before the downstroke it crosses.
InkStrokes BrushGlyph::ordered(const InkStrokes &strokes)
{
    std::vector<size_t> index(strokes.size());
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = i;
    std::sort(index.begin(), index.end(), [&](size_t a, size_t b) {
        return boundingBox(strokes[a]).left < boundingBox(strokes[b]).left;
    });
    float reach = -1e9f;
    for (size_t k = 0; k < index.size(); ++k) {
        const InkBox box = boundingBox(strokes[index[k]]);
        if (k > 0 && box.left > reach + 1.5f) { // a gap from top to bottom: two parts
            InkStrokes left, right;
            for (size_t j = 0; j < index.size(); ++j)
                (j < k ? left : right).push_back(strokes[index[j]]);
            InkStrokes out = orderedPart(left), rest = ordered(right);
            out.insert(out.end(), rest.begin(), rest.end());
            return out;
        }
        reach = std::max(reach, box.right);
    }
    return orderedPart(strokes);
}

InkStrokes BrushGlyph::orderedPart(const InkStrokes &strokes)
{
    const size_t n = strokes.size();
    std::vector<std::vector<bool>> after(n, std::vector<bool>(n, false)); // after[v][h]: v waits for h
    for (size_t v = 0; v < n; ++v)
        for (size_t h = 0; h < n; ++h)
            if (v != h && downstroke(strokes[v]) && crossesHorizontally(strokes[h], strokes[v]))
                after[v][h] = true;
    auto key = [&](size_t i) { return strokes[i].front().y + 0.1f * strokes[i].front().x; };
    std::vector<bool> done(n, false);
    InkStrokes out;
    for (size_t step = 0; step < n; ++step) {
        size_t best = n, fallback = n;
        for (size_t i = 0; i < n; ++i) {
            if (done[i])
                continue;
            if (fallback == n || key(i) < key(fallback))
                fallback = i;
            bool ready = true;
            for (size_t h = 0; h < n; ++h)
                ready = ready && (done[h] || !after[i][h]);
            if (ready && (best == n || key(i) < key(best)))
                best = i;
        }
        const size_t next = best == n ? fallback : best;
        done[next] = true;
        out.push_back(strokes[next]);
    }
    return out;
}

InkStrokes BrushGlyph::penStrokes(const InkStrokes &brush)
{
    InkStrokes strokes;
    for (InkStroke s : withoutDoubles(brush)) {
        trimSerifs(s);
        if (s.size() >= 2 && length(s) >= minimum) {
            orient(s);
            strokes.push_back(std::move(s));
        }
    }
    InkStrokes marks, body;
    for (InkStroke &s : joined(strokes)) {
        const InkBox b = boundingBox(s);
        const bool mark = std::max(b.width(), b.height()) < markSize && b.left > 2 && b.bottom < -2;
        (mark ? marks : body).push_back(std::move(s));
    }
    InkStrokes out = ordered(body);
    std::sort(marks.begin(), marks.end(),
              [](const InkStroke &a, const InkStroke &b) { return a.front().x < b.front().x; });
    out.insert(out.end(), marks.begin(), marks.end());
    return out;
}

} // namespace zk
