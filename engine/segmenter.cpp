#include "engine/segmenter.h"

#include <algorithm>
#include <cmath>

namespace zk {

namespace {

const float dotWidth = 0.25f;    // entries smaller than this share of the height attach
const float overlapShare = 0.3f; // horizontal overlap that joins strokes into a character
const float touching = 0.04f;    // strokes this close (share of the height) count as touching
const float wordGap = 0.45f;     // square scripts: gaps wider than this share of 2 heights split
const float evenGap = 0.8f;      // gaps of one size split words beyond this share of the height
const float leastWordGap = 0.3f; // word gaps are at least this share of the height
const float mostWordGap = 1.2f;  // gaps beyond this share of the height always split
const float clusterRatio = 1.6f; // word gaps are at least this many times the letter gaps
const float clusterJump = 0.25f; // and wider by this share of the height
const float squareWidth = 1.2f;  // square scripts: a character is at most this wide
const float dotReach = 1.5f;     // dots (an i written high) join a line this many heights away

float overlap(float a0, float a1, float b0, float b1)
{
    return std::min(a1, b1) - std::max(a0, b0);
}

// Whether an end of the stroke lies on a stroke of the group (a joint such as in "w").
bool touches(const EntryRef &e, const CharacterGroup &group, float reach)
{
    const InkStroke &points = e.entry->points;
    if (points.empty())
        return false;
    for (const EntryRef &g : group)
        for (const InkPoint &p : g.entry->points)
            for (const InkPoint &end : {points.front(), points.back()})
                if (std::fabs(p.x - end.x) <= reach && std::fabs(p.y - end.y) <= reach)
                    return true;
    return false;
}

float median(std::vector<float> values)
{
    std::nth_element(values.begin(), values.begin() + long(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Index of the first upper gap of the sorted gaps' best split into two sizes (Otsu), 0 if none.
size_t bestSplit(const std::vector<float> &sorted)
{
    double total = 0;
    for (float g : sorted)
        total += double(g);
    const size_t n = sorted.size();
    double lower = 0, bestScore = 0;
    size_t best = 0;
    for (size_t k = 1; k < n; ++k) {
        lower += double(sorted[k - 1]);
        double meanLower = lower / double(k), meanUpper = (total - lower) / double(n - k);
        double apart = meanUpper - meanLower;
        double score = double(k) * double(n - k) * apart * apart;
        if (score > bestScore) {
            bestScore = score;
            best = k;
        }
    }
    return best;
}

float medianHeight(const std::vector<CharacterGroup> &groups)
{
    std::vector<float> h;
    for (const CharacterGroup &g : groups)
        h.push_back(groupBox(g).height());
    return h.empty() ? 0 : median(std::move(h));
}

void measureAscents(LineGroup &line, const std::vector<CharacterGroup> &groups)
{
    std::vector<float> tops, bottoms;
    for (const CharacterGroup &g : groups) {
        InkBox box = groupBox(g);
        tops.push_back(box.top);
        bottoms.push_back(box.bottom);
    }
    if (groups.empty())
        return;
    float baseline = median(bottoms);
    line.ascent = std::max(baseline - *std::min_element(tops.begin(), tops.end()), 1e-3f);
    line.typicalAscent = std::max(baseline - median(tops), 1e-3f);
}

// Gaps between consecutive characters (left-to-right order); overlaps count as 0.
std::vector<float> characterGaps(const std::vector<CharacterGroup> &groups)
{
    std::vector<float> gaps;
    float right = 0;
    for (size_t i = 0; i < groups.size(); ++i) {
        InkBox box = groupBox(groups[i]);
        if (i > 0)
            gaps.push_back(std::max(0.0f, box.left - right));
        right = i == 0 ? box.right : std::max(right, box.right);
    }
    return gaps;
}

// The gap beyond which a gap of the line splits words: between the letter gaps and the word
// gaps when the open gaps fall clearly into two sizes, a share of the letter height otherwise.
float wordGapThreshold(std::vector<float> gaps, float height)
{
    // Touching and overlapping characters tell nothing of the spacing.
    gaps.erase(std::remove(gaps.begin(), gaps.end(), 0.0f), gaps.end());
    std::sort(gaps.begin(), gaps.end());
    size_t k = bestSplit(gaps);
    if (k == 0)
        return evenGap * height;
    float letter = gaps[k - 1], word = gaps[k];
    bool twoSizes = word >= clusterRatio * letter && word - letter >= clusterJump * height;
    if (!twoSizes)
        return evenGap * height;
    return std::clamp((letter + word) / 2, leastWordGap * height, mostWordGap * height);
}

} // namespace

InkBox groupBox(const CharacterGroup &group)
{
    InkBox box = group.front().box;
    for (const EntryRef &e : group)
        box = unite(box, e.box);
    return box;
}

std::vector<std::vector<EntryRef>> Segmenter::lines(std::vector<EntryRef> entries) const
{
    std::stable_sort(entries.begin(), entries.end(), [](const EntryRef &a, const EntryRef &b) {
        return a.box.height() > b.box.height();
    });
    std::vector<std::vector<EntryRef>> out;
    std::vector<InkBox> spans;
    for (const EntryRef &e : entries) {
        int best = -1;
        float bestDistance = 0;
        for (size_t i = 0; i < spans.size(); ++i) {
            float h = spans[i].height();
            float cy = (e.box.top + e.box.bottom) / 2;
            float distance = cy < spans[i].top ? spans[i].top - cy
                             : cy > spans[i].bottom ? cy - spans[i].bottom : 0;
            float reach = e.box.height() < 0.3f * h ? dotReach : 0.35f;
            if (distance <= reach * h && (best < 0 || distance < bestDistance)) {
                best = int(i);
                bestDistance = distance;
            }
        }
        if (best < 0) {
            out.push_back({e});
            spans.push_back(e.box);
        } else {
            out[size_t(best)].push_back(e);
            InkBox &s = spans[size_t(best)];
            s.left = std::min(s.left, e.box.left);
            s.right = std::max(s.right, e.box.right);
        }
    }
    std::vector<size_t> order(out.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return spans[a].top + spans[a].bottom < spans[b].top + spans[b].bottom;
    });
    std::vector<std::vector<EntryRef>> sorted;
    for (size_t i : order)
        sorted.push_back(std::move(out[i]));
    return sorted;
}

std::vector<CharacterGroup> Segmenter::characters(std::vector<EntryRef> line) const
{
    std::stable_sort(line.begin(), line.end(),
                     [](const EntryRef &a, const EntryRef &b) { return a.box.left < b.box.left; });
    float height = 0;
    for (const EntryRef &e : line)
        height = std::max(height, e.box.height());
    std::vector<CharacterGroup> groups;
    for (const EntryRef &e : line) {
        bool typed = e.entry->kind != InkEntry::Stroke;
        if (!groups.empty() && !typed && groups.back().front().entry->kind == InkEntry::Stroke) {
            InkBox g = groupBox(groups.back());
            float narrow = std::min(g.width(), e.box.width());
            float o = overlap(g.left, g.right, e.box.left, e.box.right);
            auto small = [&](const InkBox &b) {
                return b.width() < dotWidth * height && b.height() < dotWidth * height;
            };
            // A dot joins the stroke before it or, written first, the one after it.
            bool dot = (small(e.box) || (groups.back().size() == 1 && small(g)))
                       && o > -0.1f * height;
            if (o > overlapShare * narrow - touching * height || dot
                || touches(e, groups.back(), touching * height)) {
                groups.back().push_back(e);
                continue;
            }
        }
        groups.push_back({e});
    }
    return groups;
}

std::vector<CharacterGroup> Segmenter::joinSquares(std::vector<CharacterGroup> groups,
                                                   float height) const
{
    std::vector<CharacterGroup> out;
    for (CharacterGroup &g : groups) {
        if (!out.empty() && g.front().entry->kind == InkEntry::Stroke
            && out.back().front().entry->kind == InkEntry::Stroke) {
            InkBox joined = unite(groupBox(out.back()), groupBox(g));
            if (joined.width() <= squareWidth * height) {
                out.back().insert(out.back().end(), g.begin(), g.end());
                continue;
            }
        }
        out.push_back(std::move(g));
    }
    return out;
}

std::vector<WordGroup> Segmenter::words(std::vector<CharacterGroup> groups, float threshold) const
{
    std::vector<WordGroup> out;
    float right = 0;
    for (CharacterGroup &g : groups) {
        InkBox box = groupBox(g);
        if (out.empty() || box.left - right > threshold)
            out.emplace_back();
        right = out.back().empty() ? box.right : std::max(right, box.right);
        out.back().push_back(std::move(g));
    }
    return out;
}

std::vector<LineGroup> Segmenter::split(const std::vector<EntryRef> &entries) const
{
    std::vector<LineGroup> out;
    for (std::vector<EntryRef> &line : lines(entries)) {
        std::vector<CharacterGroup> groups = characters(std::move(line));
        float height = std::max(medianHeight(groups), 1e-3f);
        float tallest = height;
        for (const CharacterGroup &g : groups)
            tallest = std::max(tallest, groupBox(g).height());
        if (m_ideographic) {
            height = tallest;
            groups = joinSquares(std::move(groups), height);
        }
        LineGroup lg;
        lg.height = height;
        lg.tallest = tallest;
        measureAscents(lg, groups);
        float threshold = m_ideographic ? wordGap * height * 2
                                        : wordGapThreshold(characterGaps(groups), height);
        lg.words = words(std::move(groups), threshold);
        out.push_back(std::move(lg));
    }
    return out;
}

} // namespace zk
