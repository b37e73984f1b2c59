#include "engine/gestureclassifier.h"

#include <algorithm>
#include <cmath>

namespace zk {

const char *GestureClassifier::backspace = "\xF3\xB0\x80\x82";
const char *GestureClassifier::space = "\xF3\xB0\x80\x83";
const char *GestureClassifier::newline = "\xF3\xB0\x80\x84";

int GestureClassifier::reversals(const InkStroke &s, bool horizontal, float hysteresis)
{
    auto value = [horizontal](const InkPoint &p) { return horizontal ? p.x : p.y; };
    float low = value(s.front()), high = low, origin = low;
    int count = 0, direction = 0;
    for (const InkPoint &p : s) {
        float v = value(p);
        if (direction == 0) {
            direction = v > origin + hysteresis ? 1 : v < origin - hysteresis ? -1 : 0;
            high = low = v;
        } else if (direction > 0) {
            high = std::max(high, v);
            if (v < high - hysteresis) {
                direction = -1;
                low = v;
                ++count;
            }
        } else {
            low = std::min(low, v);
            if (v > low + hysteresis) {
                direction = 1;
                high = v;
                ++count;
            }
        }
    }
    return count;
}

std::string GestureClassifier::classify(const InkStrokes &ink)
{
    if (ink.size() != 1 || ink.front().size() < 2)
        return {};
    const InkStroke &s = ink.front();
    InkBox b = boundingBox(s);
    float w = b.width(), h = b.height(), extent = std::max(w, h);
    if (extent <= 0)
        return {};
    float length = 0;
    for (size_t i = 1; i < s.size(); ++i)
        length += std::hypot(s[i].x - s[i - 1].x, s[i].y - s[i - 1].y);
    InkPoint a = s.front(), e = s.back();
    float chord = std::hypot(e.x - a.x, e.y - a.y);
    float straightness = length > 0 ? chord / length : 0;

    float bulge = 0; // farthest point from the chord, as a share of the chord
    for (const InkPoint &p : s)
        bulge = std::max(bulge, std::fabs((e.x - a.x) * (p.y - a.y) - (e.y - a.y) * (p.x - a.x)));
    bulge = chord > 0 ? bulge / (chord * chord) : 1;

    if (reversals(s, true, 0.15f * w) >= 4 || reversals(s, false, 0.15f * h) >= 4)
        return "W";
    if (straightness > 0.9f && bulge < 0.1f) {
        if (h < 0.3f * w)
            return e.x > a.x ? "-" : backspace;
        if (w < 0.3f * h)
            return "|";
        return (e.x - a.x) * (e.y - a.y) > 0 ? "\\" : "/";
    }
    bool startTop = a.y < b.top + 0.35f * h, endTop = e.y < b.top + 0.35f * h;
    if (startTop && endTop && e.x > a.x + 0.5f * w && h > 0.15f * w)
        return space;
    if (startTop && a.x > b.left + 0.6f * w && e.x < b.left + 0.4f * w
        && e.y > b.top + 0.6f * h)
        return newline;
    if (h > 1.5f * w && straightness > 0.6f) {
        const InkPoint &mid = s[s.size() / 2];
        float side = (e.x - a.x) * (mid.y - a.y) - (e.y - a.y) * (mid.x - a.x);
        bool downward = e.y > a.y;
        return (side > 0) == downward ? "(" : ")";
    }
    return {};
}

} // namespace zk
