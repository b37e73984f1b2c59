// Parse time against the number of strokes of a handwritten expression with the
// calculator grammar. The recognizer answers stroke groups of up to three
// consecutive strokes: the true symbol cheaply, look-alikes and "?" dearer.

#include "tessel/tessel.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using tessel::ParseObject;
using tessel::Parser;
using tessel::Region;
using tessel::Result;

namespace {

struct Stroke
{
    std::vector<float> x, y;
};

struct Answer
{
    std::string label;
    double cost;
    bool centred;
};

class Drawing
{
public:
    void line(float x0, float y0, float x1, float y1) { m_strokes.push_back({{x0, x1}, {y0, y1}}); }
    void zigzag(float left, float top, float w, float h)
    {
        m_strokes.push_back({{left, left + w, left, left + w}, {top, top + h * 0.3f, top + h * 0.7f, top + h}});
    }
    void answer(std::vector<int> group, const std::string &label, double cost, bool centred = false)
    {
        m_answers[group].push_back({label, cost, centred});
    }
    int last() const { return int(m_strokes.size()) - 1; }
    int strokeCount() const { return int(m_strokes.size()); }
    const std::vector<Stroke> &strokes() const { return m_strokes; }

    const std::vector<Answer> *answers(const std::vector<int> &group) const
    {
        const auto it = m_answers.find(group);
        return it == m_answers.end() ? nullptr : &it->second;
    }

private:
    std::vector<Stroke> m_strokes;
    std::map<std::vector<int>, std::vector<Answer>> m_answers;
};

// Symbols of 20 units height on a base line at y = 40, advancing along x.
void digit(Drawing &d, float &x, const std::string &label)
{
    d.zigzag(x, 20, 10, 20);
    d.answer({d.last()}, label, 0.2);
    d.answer({d.last()}, "7", 1.1);
    x += 16;
}

void plus(Drawing &d, float &x)
{
    d.line(x + 5, 25, x + 5, 35);
    d.line(x, 30, x + 10, 30);
    d.answer({d.last() - 1}, "1", 0.9);
    d.answer({d.last()}, "-", 0.9, true);
    d.answer({d.last() - 1, d.last()}, "+", 0.2, true);
    x += 16;
}

void minus(Drawing &d, float &x)
{
    d.line(x, 30, x + 10, 30);
    d.answer({d.last()}, "-", 0.2, true);
    x += 16;
}

void fraction(Drawing &d, float &x)
{
    d.zigzag(x + 2, 8, 8, 16);
    d.answer({d.last()}, "3", 0.2);
    d.line(x, 30, x + 12, 30);
    d.answer({d.last()}, "-", 0.2, true);
    d.zigzag(x + 2, 35, 8, 16);
    d.answer({d.last()}, "4", 0.2);
    x += 20;
}

void power(Drawing &d, float &x)
{
    d.zigzag(x, 20, 10, 20);
    d.answer({d.last()}, "5", 0.2);
    d.zigzag(x + 12, 10, 5, 10);
    d.answer({d.last()}, "2", 0.2);
    x += 22;
}

// Tokens in a repeating order until the wanted stroke count; digits fill the end.
Drawing expression(int strokes)
{
    Drawing d;
    float x = 0;
    const char *pattern = "dd+f-p+d";
    for (int i = 0; d.strokeCount() < strokes; ++i) {
        const char token = pattern[i % 8];
        const int room = strokes - d.strokeCount();
        if (token == '+' && room >= 2)
            plus(d, x);
        else if (token == 'f' && room >= 3)
            fraction(d, x);
        else if (token == '-')
            minus(d, x);
        else if (token == 'p' && room >= 2)
            power(d, x);
        else
            digit(d, x, std::to_string(i % 10));
    }
    return d;
}

struct Recognizer
{
    const Drawing *drawing;
    long calls = 0;
};

int recognize(Result *target, Region *region, void *user)
{
    auto *self = static_cast<Recognizer *>(user);
    ++self->calls;
    std::vector<int> group;
    for (int s = zkTesselRegionGetFirstStroke(region); s >= 0; s = zkTesselRegionGetNextStroke(region, s))
        group.push_back(s);
    if (group.size() > 3)
        return 0;
    double x, y, w, h;
    zkTesselRegionGetBoundingBox(region, &x, &y, &w, &h);
    if (const std::vector<Answer> *answers = self->drawing->answers(group)) {
        for (const Answer &a : *answers) {
            if (a.centred)
                zkTesselResultAddThinCenteredCandidate(target, region, a.label.c_str(), a.cost, y + h / 2, h);
            else
                zkTesselResultAddCandidate(target, region, a.label.c_str(), a.cost, y + h, h / 2);
        }
    }
    if (group.back() - group.front() == int(group.size()) - 1)
        zkTesselResultAddCandidate(target, region, "?", 2.0 + double(group.size()), y + h, h / 2);
    return 0;
}

double zeroCost(ParseObject *)
{
    return 0.0;
}

Parser *calculatorParser(Recognizer *recognizer)
{
    Parser *p = zkCreateTessel();
    zkTesselSetDxWeight(p, 0.06);
    zkTesselSetY0Weight(p, 0.15);
    zkTesselSetHWeight(p, 0.15);
    int s[7];
    for (int &symbol : s)
        symbol = zkTesselCreateSymbol(p);
    zkTesselAddRecognizerRule(p, s[0], &recognize, recognizer);
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

std::string plainLabel(const ParseObject *object)
{
    std::string out;
    for (const char *c = zkTesselObjectGetLabel(object); c && *c; ++c)
        if (*c != '{' && *c != '}')
            out += *c;
    return out;
}

double milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

}

int main()
{
    std::printf("%7s %12s %16s %18s  %s\n", "strokes", "parse ms", "last stroke ms", "recognizer calls", "best");
    for (int n : {5, 10, 20, 30}) {
        const Drawing drawing = expression(n);
        Recognizer recognizer{&drawing};
        Parser *parser = calculatorParser(&recognizer);
        std::vector<double> full;
        std::vector<double> incremental;
        std::string best;
        long calls = 0;
        for (int repeat = 0; repeat < 5; ++repeat) {
            // Whole drawing at once, after a clear.
            zkTesselClear(parser);
            recognizer.calls = 0;
            auto start = std::chrono::steady_clock::now();
            for (const Stroke &s : drawing.strokes())
                zkTesselAddStroke(parser, s.x.data(), 4, s.y.data(), 4, int(s.x.size()));
            const Result *result = zkTesselRun(parser);
            full.push_back(milliseconds(std::chrono::steady_clock::now() - start));
            best = plainLabel(zkTesselResultGetCandidate(result, 0));
            calls = recognizer.calls;

            // Stroke by stroke as the pad writes, timing the run after the last one.
            zkTesselClear(parser);
            const auto &strokes = drawing.strokes();
            for (size_t i = 0; i < strokes.size(); ++i) {
                zkTesselAddStroke(parser, strokes[i].x.data(), 4, strokes[i].y.data(), 4, int(strokes[i].x.size()));
                start = std::chrono::steady_clock::now();
                zkTesselRun(parser);
                if (i + 1 == strokes.size())
                    incremental.push_back(milliseconds(std::chrono::steady_clock::now() - start));
            }
        }
        std::sort(full.begin(), full.end());
        std::sort(incremental.begin(), incremental.end());
        std::printf("%7d %12.2f %16.2f %18ld  %s\n", n, full[full.size() / 2], incremental[incremental.size() / 2],
                    calls, best.c_str());
        zkTesselDestroy(parser);
    }
    return 0;
}
