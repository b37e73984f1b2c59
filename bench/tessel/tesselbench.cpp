// Parse time against the number of strokes of a handwritten expression with the
// calculator grammar. The recognizer answers stroke groups of up to three
// consecutive strokes: the true symbol cheaply, look-alikes and "?" dearer.

#include "tests/tessel/tesselfixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// An expression's strokes and the table of what the recognizer reads in their groups.
class Drawing
{
public:
    void line(float x0, float y0, float x1, float y1) { m_strokes.push_back({{x0, y0}, {x1, y1}}); }
    void zigzag(float left, float top, float w, float h)
    {
        m_strokes.push_back({{left, top}, {left + w, top + h * 0.3f}, {left, top + h * 0.7f}, {left + w, top + h}});
    }
    void answer(const std::vector<int> &group, const std::string &label, double cost, bool centred = false)
    {
        recognizer.add(group, label, cost, centred ? TableRecognizer::Centred : TableRecognizer::Plain);
    }
    // Every run of up to three neighbouring strokes can also be read as an unknown symbol.
    void addUnknowns()
    {
        for (int first = 0; first < strokeCount(); ++first) {
            std::vector<int> group;
            for (int s = first; s < std::min(first + 3, strokeCount()); ++s) {
                group.push_back(s);
                recognizer.add(group, "?", 2.0 + double(group.size()));
            }
        }
    }
    int last() const { return strokeCount() - 1; }
    int strokeCount() const { return int(m_strokes.size()); }
    const std::vector<Points> &strokes() const { return m_strokes; }

    TableRecognizer recognizer;

private:
    std::vector<Points> m_strokes;
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
    d.addUnknowns();
    return d;
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
        Drawing drawing = expression(n);
        Parser *parser = createCalculatorParser(&drawing.recognizer);
        std::vector<double> full;
        std::vector<double> incremental;
        std::string best;
        long calls = 0;
        for (int repeat = 0; repeat < 5; ++repeat) {
            // Whole drawing at once, after a clear.
            zkTesselClear(parser);
            drawing.recognizer.calls.clear();
            auto start = std::chrono::steady_clock::now();
            for (const Points &s : drawing.strokes())
                addStroke(parser, s);
            const Result *result = zkTesselRun(parser);
            full.push_back(milliseconds(std::chrono::steady_clock::now() - start));
            best = withoutBraces(label(zkTesselResultGetCandidate(result, 0)));
            calls = drawing.recognizer.totalCalls();

            // Stroke by stroke as the pad writes, timing the run after the last one.
            zkTesselClear(parser);
            const auto &strokes = drawing.strokes();
            for (size_t i = 0; i < strokes.size(); ++i) {
                addStroke(parser, strokes[i]);
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
