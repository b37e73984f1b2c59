#include "engine/strokeform.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zk {

namespace {

const float resampleStep = 20.0f;  // in square units
const int cornerReach = 3;         // points on each side of a corner candidate
const float cornerCosine = -0.34f; // turns sharper than ~110 degrees split a stroke

float distance(const InkPoint &a, const InkPoint &b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

InkStrokes StrokeForm::fitted(const InkStrokes &strokes)
{
    InkBox box = boundingBox(strokes);
    float extent = std::max(box.width(), box.height());
    float scale = extent > 0 ? side * 0.9f / extent : 1.0f;
    float cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    InkStrokes out;
    for (const InkStroke &s : strokes) {
        if (s.empty())
            continue;
        InkStroke t;
        t.reserve(s.size());
        for (const InkPoint &p : s)
            t.push_back({(p.x - cx) * scale + side / 2, (p.y - cy) * scale + side / 2});
        out.push_back(std::move(t));
    }
    return out;
}

InkStrokes StrokeForm::inBox(const InkStrokes &strokes, const InkBox &box)
{
    float extent = std::max(box.width(), box.height());
    if (!(extent > 0))
        return fitted(strokes);
    float scale = side / extent;
    float cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    InkStrokes out;
    for (const InkStroke &s : strokes) {
        if (s.empty())
            continue;
        InkStroke t;
        for (const InkPoint &p : s)
            t.push_back({std::clamp((p.x - cx) * scale + side / 2, 0.0f, side),
                         std::clamp((p.y - cy) * scale + side / 2, 0.0f, side)});
        out.push_back(std::move(t));
    }
    return out;
}

InkBox StrokeForm::squareAround(const InkStrokes &strokes)
{
    InkBox b = boundingBox(strokes);
    float half = (std::max(b.width(), b.height()) * 1.15f + 1.0f) / 2;
    float cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    return {cx - half, cy - half, cx + half, cy + half};
}

size_t StrokeForm::farthest(const InkStroke &stroke, size_t first, size_t last, float tolerance)
{
    const InkPoint &a = stroke[first], &b = stroke[last];
    float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    float worst = tolerance;
    size_t found = first;
    for (size_t i = first + 1; i < last; ++i) {
        const InkPoint &p = stroke[i];
        float d = length > 0 ? std::fabs(dx * (a.y - p.y) - dy * (a.x - p.x)) / length
                             : distance(a, p);
        if (d > worst) {
            worst = d;
            found = i;
        }
    }
    return found;
}

InkStrokes StrokeForm::simplified(const InkStrokes &strokes, float tolerance)
{
    InkStrokes out;
    for (const InkStroke &s : strokes) {
        if (s.size() < 3) {
            out.push_back(s);
            continue;
        }
        std::vector<bool> keep(s.size(), false);
        keep.front() = keep.back() = true;
        std::vector<std::pair<size_t, size_t>> spans{{0, s.size() - 1}};
        while (!spans.empty()) { // a stack, not recursion: strokes may be very long
            auto [first, last] = spans.back();
            spans.pop_back();
            size_t f = farthest(s, first, last, tolerance);
            if (f == first)
                continue;
            keep[f] = true;
            spans.push_back({first, f});
            spans.push_back({f, last});
        }
        InkStroke t;
        for (size_t i = 0; i < s.size(); ++i)
            if (keep[i])
                t.push_back(s[i]);
        out.push_back(std::move(t));
    }
    return out;
}

InkStroke StrokeForm::resampled(const InkStroke &stroke, float step)
{
    InkStroke out;
    if (stroke.empty())
        return out;
    out.push_back(stroke.front());
    float carried = 0;
    for (size_t i = 1; i < stroke.size(); ++i) {
        InkPoint a = stroke[i - 1], b = stroke[i];
        float d = distance(a, b);
        if (d <= 0)
            continue;
        float t = step - carried;
        while (t <= d) {
            out.push_back({a.x + (b.x - a.x) * t / d, a.y + (b.y - a.y) * t / d});
            t += step;
        }
        carried = d - (t - step);
    }
    if (distance(out.back(), stroke.back()) > step * 0.3f)
        out.push_back(stroke.back());
    return out;
}

void StrokeForm::splitAtCorners(const InkStroke &stroke, InkStrokes &out)
{
    const int n = int(stroke.size());
    std::vector<float> cosine(size_t(n), 1.0f);
    for (int i = cornerReach; i + cornerReach < n; ++i) {
        const InkPoint &a = stroke[size_t(i - cornerReach)], &p = stroke[size_t(i)],
                       &b = stroke[size_t(i + cornerReach)];
        float ux = p.x - a.x, uy = p.y - a.y, vx = b.x - p.x, vy = b.y - p.y;
        float nu = std::hypot(ux, uy), nv = std::hypot(vx, vy);
        if (nu > 0 && nv > 0)
            cosine[size_t(i)] = (ux * vx + uy * vy) / (nu * nv);
    }
    int start = 0;
    for (int i = cornerReach; i + cornerReach < n; ++i) {
        bool corner = cosine[size_t(i)] < cornerCosine
                      && cosine[size_t(i)] <= cosine[size_t(i - 1)]
                      && cosine[size_t(i)] < cosine[size_t(i + 1)];
        if (corner && i - start >= 2) {
            out.emplace_back(stroke.begin() + start, stroke.begin() + i + 1);
            start = i;
        }
    }
    out.emplace_back(stroke.begin() + start, stroke.end());
}

void StrokeForm::orient(InkStroke &stroke)
{
    float dx = stroke.back().x - stroke.front().x, dy = stroke.back().y - stroke.front().y;
    bool backwards = std::fabs(dx) >= std::fabs(dy) ? dx < 0 : dy < 0;
    if (backwards)
        std::reverse(stroke.begin(), stroke.end());
}

InkStrokes StrokeForm::canonical(const InkStrokes &strokes)
{
    InkStrokes pieces;
    for (const InkStroke &s : fitted(strokes)) {
        InkStroke r = resampled(s, resampleStep);
        splitAtCorners(r, pieces);
    }
    for (InkStroke &p : pieces)
        orient(p);
    auto key = [](const InkStroke &s) {
        InkBox b = boundingBox(s);
        return (b.left + b.right) / 2 + 0.25f * (b.top + b.bottom) / 2;
    };
    std::stable_sort(pieces.begin(), pieces.end(),
                     [&](const InkStroke &a, const InkStroke &b) { return key(a) < key(b); });
    if (pieces.size() > size_t(maxPieces))
        pieces.resize(size_t(maxPieces));
    return pieces;
}

} // namespace zk
