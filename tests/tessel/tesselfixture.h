#pragma once

// Helpers for driving the parser through its C interface: strokes from point
// lists, a recognizer answering from a table of stroke groups, tree walking.

#include "tessel/tessel.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

using tessel::ParseObject;
using tessel::Parser;
using tessel::Region;
using tessel::Result;

using Points = std::vector<std::pair<float, float>>;

inline void addStroke(Parser *parser, const Points &points)
{
    std::vector<float> xs, ys;
    for (const auto &p : points) {
        xs.push_back(p.first);
        ys.push_back(p.second);
    }
    zkTesselAddStroke(parser, xs.data(), 4, ys.data(), 4, int(points.size()));
}

inline std::vector<int> regionStrokes(const Region *region)
{
    std::vector<int> strokes;
    for (int s = zkTesselRegionGetFirstStroke(region); s >= 0; s = zkTesselRegionGetNextStroke(region, s))
        strokes.push_back(s);
    return strokes;
}

// Answers only the stroke groups it was given, with geometry taken from the group's box:
// a plain terminal stands on the box bottom with half the box height, a centred one
// (operators, bars, brackets) has its centre line at the box centre.
class TableRecognizer
{
public:
    enum Kind { Plain, Centred, Stretchable };
    struct Entry
    {
        std::string label;
        double cost;
        Kind kind;
    };

    void add(const std::vector<int> &strokes, const std::string &label, double cost, Kind kind = Plain)
    {
        m_table[strokes].push_back({label, cost, kind});
    }

    static int callback(Result *target, Region *region, void *user)
    {
        auto *self = static_cast<TableRecognizer *>(user);
        const std::vector<int> strokes = regionStrokes(region);
        ++self->calls[strokes];
        const auto it = self->m_table.find(strokes);
        if (it == self->m_table.end())
            return 0;
        double x, y, w, h;
        zkTesselRegionGetBoundingBox(region, &x, &y, &w, &h);
        for (const Entry &e : it->second) {
            switch (e.kind) {
            case Plain:
                zkTesselResultAddCandidate(target, region, e.label.c_str(), e.cost, y + h, h / 2);
                break;
            case Centred:
                zkTesselResultAddThinCenteredCandidate(target, region, e.label.c_str(), e.cost, y + h / 2, h);
                break;
            case Stretchable:
                zkTesselResultAddStretchableCandidate(target, region, e.label.c_str(), e.cost, y + h / 2, h);
                break;
            }
        }
        return 0;
    }

    int totalCalls() const
    {
        int total = 0;
        for (const auto &c : calls)
            total += c.second;
        return total;
    }

    std::map<std::vector<int>, int> calls;

private:
    std::map<std::vector<int>, std::vector<Entry>> m_table;
};

inline std::string label(const ParseObject *object)
{
    const char *text = zkTesselObjectGetLabel(object);
    return text ? text : "";
}

inline std::string type(const ParseObject *object)
{
    const char *text = zkTesselObjectGetType(object);
    return text ? text : "";
}

inline std::string withoutBraces(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != '{' && c != '}')
            out += c;
    return out;
}

// Labels of the terminals of a tree in child order.
inline void collectTerminals(const ParseObject *object, std::vector<std::string> &labels)
{
    const int n = zkTesselObjectGetChildCount(object);
    if (n == 0) {
        labels.push_back(label(object));
        return;
    }
    for (int i = 0; i < n; ++i)
        if (const ParseObject *c = zkTesselObjectGetChild(object, i))
            collectTerminals(c, labels);
}

inline std::vector<std::string> terminals(const ParseObject *object)
{
    std::vector<std::string> labels;
    collectTerminals(object, labels);
    return labels;
}

inline double zeroCost(ParseObject *)
{
    return 0.0;
}

// The arithmetic grammar of the calculator: symbols 0 to 6 are any terminal, the
// fraction bar, the radical sign, expression, base of a power, square root and statement.
inline Parser *createCalculatorParser(TableRecognizer *recognizer)
{
    Parser *p = zkCreateTessel();
    zkTesselSetDxWeight(p, 0.06);
    zkTesselSetY0Weight(p, 0.15);
    zkTesselSetHWeight(p, 0.15);
    int s[7];
    for (int &symbol : s)
        symbol = zkTesselCreateSymbol(p);
    zkTesselAddRecognizerRule(p, s[0], &TableRecognizer::callback, recognizer);
    zkTesselAddFilterRule(p, s[3], s[0], "0 1 2 3 4 5 6 7 8 9 ? ( ) + - / . , \\mult \\div \\sqrt \\pi");
    zkTesselAddFilterRule(p, s[4], s[0], "0 1 2 3 4 5 6 7 8 9 ? ) \\sqrt \\pi");
    zkTesselAddFilterRule(p, s[1], s[0], "-");
    zkTesselAddFilterRule(p, s[2], s[0], "\\sqrt");
    zkTesselAddFilterRule(p, s[6], s[0], "=");
    zkTesselAddIdentityRule(p, s[3], s[5]);
    zkTesselAddHPairRule(p, s[3], s[3], s[3], nullptr);
    zkTesselAddPartialFractionRule(p, s[3], s[3], s[1], s[3], nullptr);
    zkTesselAddSqrtRule(p, s[5], s[2], s[3], &zeroCost);
    zkTesselAddIdentityRule(p, s[4], s[5]);
    zkTesselAddSuperscriptRule(p, s[3], s[4], s[3], nullptr);
    zkTesselAddIdentityRule(p, s[6], s[3]);
    zkTesselAddHPairRule(p, s[6], s[6], s[6], nullptr);
    zkTesselSetStartSymbol(p, s[6]);
    return p;
}
