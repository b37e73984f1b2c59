// Recognition benchmark: accuracy and time per set, on held-out ink.
//   bench_engine [held-out font ...]   (default: rowmans; futuram and rowmand are harder)
// BENCH_VERBOSE=1 also lists the misreadings.
#include "engine/tools/augmenter.h"
#include "engine/tools/hersheyfont.h"
#include "engine/tools/inkcorpus.h"
#include "engine/zkengine.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace zk;

namespace {

zkId engine = 0;

bool verbose()
{
    static const bool on = std::getenv("BENCH_VERBOSE") != nullptr;
    return on;
}

template <class F>
F op(uint32_t i, int o)
{
    return reinterpret_cast<F>(zkGetInterface(engine, i)[o]);
}

int32_t readFile(void *buffer, int32_t size, void *file)
{
    return int32_t(std::fread(buffer, 1, size_t(size), static_cast<FILE *>(file)));
}

zkId loadResource(const std::string &path)
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    zkId r = zkLoadObject(engine, readFile, f);
    std::fclose(f);
    return r;
}

zkId recognizer(const std::vector<std::string> &resources)
{
    zkId r = zkCreateObject(engine, ZK_TYPE_RECOGNIZER);
    for (const std::string &path : resources) {
        zkId res = loadResource(std::string(SCRIVEL_BIN_DIR) + "/../resources/packed/" + path);
        op<zkOpAttach>(ZK_IF_RESOURCES, 0)(engine, r, res);
        zkReleaseObject(engine, res);
    }
    return r;
}

std::string label(zkId it)
{
    zkBuffer b{nullptr, 0};
    op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(engine, it, 0, &b);
    std::string s(b.count + 1, '\0');
    b = {s.data(), uint32_t(s.size())};
    op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(engine, it, 0, &b);
    s.resize(b.count);
    return s;
}

// Candidates of the first word (non-separator) of the text.
std::vector<std::string> firstWordCandidates(zkId reco)
{
    std::vector<std::string> out;
    zkId r = op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(engine, reco);
    zkId t = r ? op<zkOpObject>(ZK_IF_RESULT, 1)(engine, r) : 0;
    zkId words = t && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(engine, t)
                     ? op<zkOpObject>(ZK_IF_CANDIDATES, 4)(engine, t) : 0;
    zkId c = words && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(engine, words)
                 ? op<zkOpObject>(ZK_IF_SEGMENTS, 5)(engine, words) : 0;
    for (; c && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(engine, c); op<zkOpNext>(ZK_IF_ITERATOR, 1)(engine, c))
        out.push_back(label(c));
    for (zkId o : {c, words, t, r})
        zkReleaseObject(engine, o);
    return out;
}

void addInk(zkId input, const InkStrokes &ink)
{
    for (const InkStroke &s : ink) {
        std::vector<float> x, y;
        for (const InkPoint &p : s) {
            x.push_back(p.x);
            y.push_back(p.y);
        }
        op<zkOpAddStroke>(ZK_IF_INPUT, 13)(engine, input, x.data(), 4, y.data(), 4, int32_t(x.size()));
    }
}

// Characters that look alike in isolation: one class each for the folded figure.
std::string folded(std::string s)
{
    for (char &c : s) {
        if (std::strchr("lI1|", c))
            c = 'l';
        else if (std::strchr("oO0", c))
            c = 'o';
        else if (std::strchr("cosuvwxzCOSUVWXZ", c))
            c = char(std::tolower(uint8_t(c)));
    }
    return s;
}

struct Score {
    int total = 0, top1 = 0, top5 = 0, folded1 = 0;
    std::vector<double> ms;
    void add(const std::vector<std::string> &got, const std::string &want, double t)
    {
        ++total;
        top1 += !got.empty() && got[0] == want;
        folded1 += !got.empty() && folded(got[0]) == folded(want);
        top5 += std::find(got.begin(), got.begin() + long(std::min<size_t>(5, got.size())), want)
                != got.begin() + long(std::min<size_t>(5, got.size()));
        ms.push_back(t);
    }
    void print(const char *set, const char *unit)
    {
        if (!total) {
            std::printf("%-28s no samples\n", set);
            return;
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-28s n=%5d  top-1 %5.1f %%  top-5 %5.1f %%  top-1 look-alikes folded %5.1f %%"
                    "  median %.3f ms per %s\n",
                    set, total, 100.0 * top1 / total, 100.0 * top5 / total, 100.0 * folded1 / total,
                    ms[ms.size() / 2], unit);
    }
};

double recognize(zkId reco, zkId input, const InkStrokes &ink, uint32_t unit,
                 std::vector<std::string> &got)
{
    op<zkOpClear>(ZK_IF_INPUT, 0)(engine, input, 0);
    op<zkOpStartUnit>(ZK_IF_INPUT, 2)(engine, input, unit);
    if (unit == ZK_UNIT_BOXED) { // the box of the writing line: capitals fill it
        InkBox b = boundingBox(ink);
        float h = std::max(b.height(), 21.0f);
        op<zkOpGuideBox>(ZK_IF_INPUT, 6)(engine, input, b.left, b.bottom - h, h, h);
    }
    addInk(input, ink);
    auto start = std::chrono::steady_clock::now();
    op<zkOpRun>(ZK_IF_RUN, 0)(engine, reco, nullptr, nullptr);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    got = firstWordCandidates(reco);
    return ms;
}

void characters(const char *set, const std::vector<std::string> &resources,
                const std::vector<std::string> &fonts, const std::string &chars)
{
    zkId reco = recognizer(resources);
    zkId input = zkCreateObject(engine, ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    Augmenter augmenter(7);
    for (const std::string &name : fonts) {
        HersheyFont font;
        if (!font.load(std::string(HERSHEY_DIR) + "/" + name + ".jhf"))
            continue;
        for (char c : chars) {
            auto g = font.glyphs().find(c);
            if (g == font.glyphs().end() || g->second.empty())
                continue;
            for (int v = 0; v < 3; ++v) {
                std::vector<std::string> got;
                double ms = recognize(reco, input, v ? augmenter.variant(g->second) : g->second,
                                      ZK_UNIT_BOXED, got);
                score.add(got, std::string(1, c), ms);
                if (verbose() && (got.empty() || got[0] != std::string(1, c)))
                    std::printf("%c->%s ", c, got.empty() ? "-" : got[0].c_str());
            }
        }
    }
    score.print(set, "character");
    zkReleaseObject(engine, input);
    zkReleaseObject(engine, reco);
}

// Real ink of writers the models never saw, characters of chars only, each in the box of its
// writing line.
void realInk(const char *set, const std::vector<std::string> &resources,
             const std::vector<std::string> &files, bool yUp, const std::string &chars)
{
    InkCorpus corpus;
    for (const std::string &f : files)
        corpus.read(std::string(SCRIVEL_SOURCE_DIR) + "/resources/ink/" + f, yUp);
    zkId reco = recognizer(resources);
    zkId input = zkCreateObject(engine, ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    for (const InkCorpus::Sample &s : corpus.samples()) {
        if (s.label.size() != 1 || chars.find(s.label) == std::string::npos)
            continue;
        std::vector<std::string> got;
        double ms = recognize(reco, input, s.ink, ZK_UNIT_BOXED, got);
        score.add(got, s.label, ms);
        if (verbose() && (got.empty() || got[0] != s.label))
            std::printf("%s->%s ", s.label.c_str(), got.empty() ? "-" : got[0].c_str());
    }
    score.print(set, "character");
    zkReleaseObject(engine, input);
    zkReleaseObject(engine, reco);
}

// Fixture inks: "label" lines followed by strokes, one "x,y x,y ..." line each.
std::vector<std::pair<std::string, InkStrokes>> fixtures(const std::string &path)
{
    std::vector<std::pair<std::string, InkStrokes>> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("label ", 0) == 0) {
            out.push_back({line.substr(6), {}});
        } else if (!line.empty() && !out.empty()) {
            InkStroke s;
            float x, y;
            const char *p = line.c_str();
            int n = 0;
            while (std::sscanf(p, "%f,%f%n", &x, &y, &n) == 2) {
                s.push_back({x, y});
                p += n;
            }
            out.back().second.push_back(s);
        }
    }
    return out;
}

void japanese()
{
    zkId reco = recognizer({"ja_JP/ja_JP-ak-iso.res", "ja_JP/ja_JP-lk-common.res"});
    zkId input = zkCreateObject(engine, ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    Augmenter augmenter(11);
    for (const auto &f : fixtures(std::string(SCRIVEL_SOURCE_DIR) + "/tests/engine/fixtures/japanese.ink"))
        for (int v = 0; v < 10; ++v) {
            std::vector<std::string> got;
            double ms = recognize(reco, input, v ? augmenter.variant(f.second, false) : f.second,
                                  ZK_UNIT_BOXED, got);
            score.add(got, f.first, ms);
            if (verbose() && v == 0)
                std::printf("%s -> %s %s %s\n", f.first.c_str(), got.size() > 0 ? got[0].c_str() : "-",
                            got.size() > 1 ? got[1].c_str() : "-", got.size() > 2 ? got[2].c_str() : "-");
        }
    score.print("Japanese (drawn fixtures)", "character");
    zkReleaseObject(engine, input);
    zkReleaseObject(engine, reco);
}

void words(const std::vector<std::string> &fonts)
{
    const char *list[] = {"hello", "world", "thank", "paper", "house", "water", "green", "seven",
                          "music", "phone", "table", "night", "start", "write", "great"};
    zkId reco = recognizer({"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    zkId input = zkCreateObject(engine, ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    for (const std::string &name : fonts) {
        HersheyFont font;
        if (!font.load(std::string(HERSHEY_DIR) + "/" + name + ".jhf"))
            continue;
        for (const char *word : list) {
            InkStrokes ink;
            float x = 0;
            for (const char *c = word; *c; ++c) {
                const InkStrokes &g = font.glyphs().at(*c);
                InkBox b = boundingBox(g);
                for (const InkStroke &s : g) {
                    InkStroke t;
                    for (const InkPoint &p : s)
                        t.push_back({p.x - b.left + x, p.y});
                    ink.push_back(t);
                }
                x += b.width() + 3;
            }
            std::vector<std::string> got;
            double ms = recognize(reco, input, ink, ZK_UNIT_FREE, got);
            score.add(got, word, ms);
            if (verbose()) {
                std::printf("%s ->", word);
                for (const std::string &g : got)
                    std::printf(" %s", g.c_str());
                std::printf("\n");
            }
        }
    }
    score.print("Words (5 letters, lexicon)", "word");
    zkReleaseObject(engine, input);
    zkReleaseObject(engine, reco);
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> fonts;
    for (int i = 1; i < argc; ++i)
        fonts.push_back(argv[i]);
    if (fonts.empty())
        fonts = {"rowmans"};
    engine = zkCreateEngine(ZK_ENGINE_VERSION, nullptr, 0);
    std::printf("Held-out Hershey styles:");
    for (const std::string &f : fonts)
        std::printf(" %s", f.c_str());
    std::printf("\n");
    characters("Latin letters", {"en_US/en_US-ak-iso.res"}, fonts,
               "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (const std::string &f : fonts)
        characters(("  letters, " + f).c_str(), {"en_US/en_US-ak-iso.res"}, {f},
                   "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    characters("Latin symbols", {"en_US/en_US-ak-iso.res"}, fonts, "?!-+=()/&@#*%$<>[]");
    characters("Digits and symbols", {"shared/Calculator-ak-hpr.res"}, fonts, "0123456789+-=()/?");
    const std::vector<std::string> uji{"uji-v1/UJIpenchars-w10.txt", "uji-v1/UJIpenchars-w11.txt"};
    realInk("UJI writers 10-11: a-z", {"en_US/en_US-ak-iso.res"}, uji, false,
            "abcdefghijklmnopqrstuvwxyz");
    realInk("UJI writers 10-11: A-Z", {"en_US/en_US-ak-iso.res"}, uji, false,
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    realInk("UJI writers 10-11: digits", {"shared/Calculator-ak-hpr.res"}, uji, false, "0123456789");
    realInk("Pen digits, 14 test writers", {"shared/Calculator-ak-hpr.res"},
            {"pendigits/pendigits-orig.tes"}, true, "0123456789");
    japanese();
    words(fonts);
    zkDestroyEngine(engine);
    return 0;
}
