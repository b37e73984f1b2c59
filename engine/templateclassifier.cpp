#include "engine/templateclassifier.h"

#include "engine/bytereader.h"
#include "engine/bytewriter.h"
#include "engine/utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

namespace zk {

namespace {

const uint8_t formatVersion = 1;
const int pathPoints = 40;
const int band = 8; // how far the warping may shift points along the path
const float directionWeight = 0.6f;
const float airWeight = 0.2f;
// Confidence: the best label within this many units, ahead of the next by the gap.
const float confidentDistance = 0.8f;
const float confidentGap = 0.1f;
// Scores: the confidence halves at one unit; labels further than the best lose by spread.
const float halfConfidence = 1.0f;
const float confidenceSlope = 8.0f;
const float spread = 0.2f;
// The unit is measured on at most this many samples. Few, very different letters would make
// it large and everything near: a full alphabet's unit is 0.19-0.30.
const size_t unitSamples = 300;
const float largestUnit = 0.3f;
const float infinity = std::numeric_limits<float>::infinity();

float length(const InkPoint &a, const InkPoint &b)
{
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
}

float norm(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

} // namespace

TemplateClassifier::Path TemplateClassifier::pathOf(const InkStrokes &ink)
{
    struct Step {
        InkPoint from, to;
        bool air;
    };
    std::vector<Step> steps;
    const InkStroke *previous = nullptr;
    InkBox box;
    for (const InkStroke &s : ink) {
        if (s.empty())
            continue;
        box = previous ? unite(box, boundingBox(s)) : boundingBox(s);
        if (previous)
            steps.push_back({previous->back(), s.front(), true});
        if (s.size() == 1)
            steps.push_back({s[0], s[0], false});
        for (size_t i = 1; i < s.size(); ++i)
            steps.push_back({s[i - 1], s[i], false});
        previous = &s;
    }
    Path path;
    if (steps.empty())
        return path;
    float total = 0;
    for (const Step &s : steps)
        total += length(s.from, s.to);
    if (!std::isfinite(total) || !std::isfinite(box.width()) || !std::isfinite(box.height()))
        return path; // ink beyond any pad: no path to compare
    std::vector<InkPoint> at;
    std::vector<float> air;
    size_t k = 0;
    float walked = 0; // the length before step k
    for (int i = 0; i < pathPoints; ++i) {
        const float wanted = total * float(i) / float(pathPoints - 1);
        while (k + 1 < steps.size() && walked + length(steps[k].from, steps[k].to) < wanted) {
            walked += length(steps[k].from, steps[k].to);
            ++k;
        }
        const Step &s = steps[k];
        const float l = length(s.from, s.to);
        const float t = l > 0 ? std::clamp((wanted - walked) / l, 0.0f, 1.0f) : 0.0f;
        at.push_back({s.from.x + (s.to.x - s.from.x) * t, s.from.y + (s.to.y - s.from.y) * t});
        air.push_back(s.air ? 1.0f : 0.0f);
    }
    const float cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const float scale = std::max({box.width(), box.height(), 1e-3f});
    for (int i = 0; i < pathPoints; ++i) {
        const InkPoint &a = at[size_t(std::max(0, i - 1))];
        const InkPoint &b = at[size_t(std::min(pathPoints - 1, i + 1))];
        float dx = b.x - a.x, dy = b.y - a.y;
        const float n = norm(dx, dy);
        if (n > 0) {
            dx /= n;
            dy /= n;
        }
        path.push_back({(at[size_t(i)].x - cx) / scale, (at[size_t(i)].y - cy) / scale, dx, dy,
                        air[size_t(i)]});
    }
    return path;
}

float TemplateClassifier::distance(const Path &a, const Path &b, float bound)
{
    const int n = int(a.size());
    if (n == 0 || int(b.size()) != n)
        return infinity;
    auto cost = [](const Point &p, const Point &q) {
        return norm(p.x - q.x, p.y - q.y) + directionWeight * norm(p.dx - q.dx, p.dy - q.dy)
               + airWeight * std::abs(p.air - q.air);
    };
    std::vector<float> previous(size_t(n), infinity), row(size_t(n), infinity);
    const float limit = bound * float(2 * n);
    for (int i = 0; i < n; ++i) {
        std::fill(row.begin(), row.end(), infinity);
        float least = infinity;
        for (int j = std::max(0, i - band); j <= std::min(n - 1, i + band); ++j) {
            float before = i == 0 && j == 0 ? 0.0f : infinity;
            if (i > 0)
                before = std::min(before, previous[size_t(j)]);
            if (j > 0)
                before = std::min(before, row[size_t(j - 1)]);
            if (i > 0 && j > 0)
                before = std::min(before, previous[size_t(j - 1)]);
            row[size_t(j)] = before + cost(a[size_t(i)], b[size_t(j)]);
            least = std::min(least, row[size_t(j)]);
        }
        if (least > limit)
            return infinity;
        std::swap(previous, row);
    }
    return previous[size_t(n - 1)] / float(2 * n);
}

float TemplateClassifier::straightDistance(const Path &a, const Path &b)
{
    float sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        sum += norm(a[i].x - b[i].x, a[i].y - b[i].y);
    return sum;
}

float TemplateClassifier::unitDistance() const
{
    const size_t step = m_templates.size() / unitSamples + 1;
    std::vector<float> nearest;
    for (size_t i = 0; i < m_templates.size(); i += step) {
        float best = infinity;
        for (size_t j = 0; j < m_templates.size(); ++j)
            if (m_labelOf[j] != m_labelOf[i])
                best = std::min(best, distance(m_templates[i].path, m_templates[j].path, best));
        if (best < infinity)
            nearest.push_back(best);
    }
    if (nearest.empty()) // a single label
        return largestUnit;
    std::nth_element(nearest.begin(), nearest.begin() + long(nearest.size() / 2), nearest.end());
    return std::clamp(nearest[nearest.size() / 2], 1e-3f, largestUnit);
}

bool TemplateClassifier::setTemplates(std::vector<Template> templates)
{
    std::map<std::string, int> kept;
    m_templates.clear();
    m_labels.clear();
    m_labelOf.clear();
    for (auto t = templates.rbegin(); t != templates.rend(); ++t) { // the latest first
        if (t->path.empty() || ++kept[t->label] > maxPerLabel)
            continue;
        auto known = std::find(m_labels.begin(), m_labels.end(), t->label);
        m_labelOf.push_back(size_t(known - m_labels.begin()));
        if (known == m_labels.end())
            m_labels.push_back(t->label);
        m_templates.push_back(std::move(*t));
    }
    return !m_templates.empty();
}

bool TemplateClassifier::train(const std::vector<Sample> &samples)
{
    std::vector<Template> templates;
    for (const Sample &s : samples)
        if (!s.label.empty())
            templates.push_back({s.label, s.ink, pathOf(s.ink)});
    if (!setTemplates(std::move(templates)))
        return false;
    m_unit = unitDistance();
    return true;
}

std::vector<std::pair<float, size_t>> TemplateClassifier::nearest(const Path &path, int count) const
{
    std::vector<float> straight;
    for (const Template &t : m_templates)
        straight.push_back(straightDistance(path, t.path));
    std::vector<size_t> order(m_templates.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return straight[a] < straight[b]; });
    // Likely templates first, so that the bound of the count-th label soon cuts the others.
    std::vector<float> byLabel(m_labels.size(), infinity);
    float cut = infinity;
    for (size_t i : order) {
        float &known = byLabel[m_labelOf[i]];
        const float d = distance(path, m_templates[i].path, std::min(known, cut));
        if (d >= known)
            continue;
        known = d;
        if (byLabel.size() > size_t(count)) {
            std::vector<float> sorted = byLabel;
            std::nth_element(sorted.begin(), sorted.begin() + count - 1, sorted.end());
            cut = sorted[size_t(count - 1)];
        }
    }
    std::vector<std::pair<float, size_t>> out;
    for (size_t l = 0; l < byLabel.size(); ++l)
        if (byLabel[l] < infinity)
            out.push_back({byLabel[l] / m_unit, l});
    std::sort(out.begin(), out.end());
    if (out.size() > size_t(count))
        out.resize(size_t(count));
    return out;
}

Guesses TemplateClassifier::classify(const InkStrokes &ink, int count) const
{
    Guesses guesses;
    const Path path = pathOf(ink);
    if (path.empty() || count <= 0 || m_templates.empty())
        return guesses;
    const auto order = nearest(path, count);
    const float best = order[0].first;
    const float second = order.size() > 1 ? order[1].first : infinity;
    const float confidence = 1.0f / (1.0f + std::exp((best - halfConfidence) * confidenceSlope));
    float sum = 0;
    for (const auto &o : order)
        sum += std::exp(-(o.first - best) / spread);
    for (size_t i = 0; i < order.size(); ++i) {
        const float d = order[i].first;
        const float margin = i ? best - d : std::min(confidentDistance - best, second - best - confidentGap);
        const float score = std::exp(-(d - best) / spread) / sum * confidence;
        guesses.push_back({m_labels[order[i].second], std::max(1e-6f, score), margin});
    }
    return guesses;
}

std::string TemplateClassifier::payload() const
{
    ByteWriter w;
    w.u8(formatVersion);
    w.f32(m_unit);
    w.u32(uint32_t(m_templates.size()));
    for (auto t = m_templates.rbegin(); t != m_templates.rend(); ++t) { // in the samples' order
        w.text(t->label);
        w.u32(uint32_t(t->ink.size()));
        for (const InkStroke &stroke : t->ink) {
            w.u32(uint32_t(stroke.size()));
            for (const InkPoint &p : stroke) {
                w.f32(p.x);
                w.f32(p.y);
            }
        }
    }
    return w.bytes();
}

bool TemplateClassifier::load(const std::string &payload)
{
    ByteReader r(payload);
    const uint8_t version = r.u8();
    const float unit = r.f32();
    if (!r.ok() || version != formatVersion || !std::isfinite(unit) || unit <= 0)
        return false;
    std::vector<Template> templates;
    const uint32_t n = r.count(8);
    for (uint32_t i = 0; i < n && r.ok(); ++i) {
        Template t;
        t.label = r.text();
        const uint32_t strokes = r.count(4);
        for (uint32_t k = 0; k < strokes && r.ok(); ++k) {
            const uint32_t points = r.count(8);
            InkStroke stroke;
            for (uint32_t j = 0; j < points && r.ok(); ++j) {
                const float x = r.f32(), y = r.f32();
                if (!std::isfinite(x) || !std::isfinite(y))
                    return false;
                stroke.push_back({x, y});
            }
            t.ink.push_back(std::move(stroke));
        }
        t.path = pathOf(t.ink);
        if (!r.ok() || t.label.empty() || !Utf8::isValid(t.label) || t.path.empty())
            return false;
        templates.push_back(std::move(t));
    }
    if (!r.ok() || !r.atEnd() || !setTemplates(std::move(templates)))
        return false;
    m_unit = unit;
    return true;
}

} // namespace zk
