// Recognition benchmark: top-1, top-5 and time per character of each set, on ink the models
// never learnt from, for this build's engine and optionally an earlier one in the same run:
//   bench_engine [--before <folder with libInkoraEngine.so and resources/packed>]
// BENCH_VERBOSE=1 also lists the misreadings; BENCH_ONLY=<text> reads only the sets named so.
#include "engine/tools/barezinnia.h"
#include "enginelibrary.h"
#include "handwriting.h"
#include "japaneseglyphs.h"
#include "kanjiwriter.h"
#include "score.h"

#include "engine/tools/augmenter.h"
#include "engine/tools/hersheyfont.h"
#include "engine/tools/inkcorpus.h"
#include "engine/strokeform.h"
#include "engine/tools/inkfile.h"
#include "engine/zkengine.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace zk;

namespace {

EngineLibrary *current = nullptr;
zkId engine = 0;

bool verbose()
{
    static const bool on = std::getenv("BENCH_VERBOSE") != nullptr;
    return on;
}

template <class F>
F op(uint32_t i, int o)
{
    return current->op<F>(i, o);
}

void release(zkId object)
{
    current->release(object);
}

void print(const Score &score, const std::string &set, const char *unit)
{
    const int total = score.total();
    if (!total) {
        std::printf("%-44s %-6s no samples\n", set.c_str(), current->name().c_str());
        return;
    }
    std::printf("%-44s %-6s n=%5d  top-1 %5.1f %%  top-5 %5.1f %%  folded top-1 %5.1f %%"
                "  %.3f ms per %s\n",
                set.c_str(), current->name().c_str(), total, 100.0 * score.top1() / total,
                100.0 * score.top5() / total, 100.0 * score.folded1() / total, score.medianMs(), unit);
}

struct Sample {
    Sample(std::string label, InkStrokes ink)
        : label(std::move(label)), ink(std::move(ink))
    {
    }
    Sample(std::string label, InkStrokes ink, const InkBox &guide)
        : label(std::move(label)), ink(std::move(ink)), hasGuide(true), guide(guide)
    {
    }

    std::string label;
    InkStrokes ink;
    bool hasGuide = false;
    InkBox guide;
};
using Samples = std::vector<Sample>;

void miss(const std::string &want, const std::vector<std::string> &got)
{
    if (verbose() && (got.empty() || got[0] != want))
        std::printf("%s->%s ", want.c_str(), got.empty() ? "-" : got[0].c_str());
}

// Reads every sample with Zinnia alone and the Japanese model, raw ink in its box.
Score readBare(const Samples &samples)
{
    static const BareZinnia zinnia(JA_MODEL);
    Score score;
    for (const Sample &s : samples) {
        std::vector<std::string> got;
        auto start = std::chrono::steady_clock::now();
        for (const auto &guess : zinnia.classify(s.ink, s.hasGuide ? s.guide : StrokeForm::squareAround(s.ink), 5))
            got.push_back(guess.first);
        score.add(got, s.label,
                  std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        miss(s.label, got);
    }
    if (verbose())
        std::printf("\n");
    return score;
}

// Reads every sample with a recognizer of the given resources (and a trained resource).
Score readAll(const Samples &samples, const std::vector<std::string> &resources, uint32_t unit,
              zkId trained = 0)
{
    zkId reco = current->recognizer(resources, trained);
    zkId input = current->createObject(ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    for (const Sample &s : samples) {
        std::vector<std::string> got;
        double ms = current->recognize(reco, input, s.ink, unit, got, s.hasGuide ? &s.guide : nullptr);
        score.add(got, s.label, ms);
        miss(s.label, got);
    }
    if (verbose())
        std::printf("\n");
    release(input);
    release(reco);
    return score;
}

// A user's model trained through the engine from labelled boxed samples (0 when it fails).
zkId trainUser(const Samples &samples)
{
    zkId set = current->createObject(ZK_TYPE_TRAINING_SET);
    zkId input = current->createObject(ZK_TYPE_INK_INPUT);
    for (const Sample &s : samples) {
        op<zkOpStartUnit>(ZK_IF_INPUT, 2)(engine, input, ZK_UNIT_BOXED);
        InkBox b = s.hasGuide ? s.guide : EngineLibrary::lineBox(s.ink);
        op<zkOpGuideBox>(ZK_IF_INPUT, 6)(engine, input, b.left, b.top, b.width(), b.height());
        current->addInk(input, s.ink);
        zkText text{s.label.c_str(), uint32_t(s.label.size())};
        op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1)(engine, set, input, 0, &text);
        op<zkOpClear>(ZK_IF_INPUT, 0)(engine, input, 0);
    }
    zkId trainer = current->createObject(ZK_TYPE_TRAINER);
    op<zkOpAttach>(ZK_IF_RESOURCES, 0)(engine, trainer, set);
    zkId trained = op<zkOpRun>(ZK_IF_RUN, 0)(engine, trainer, nullptr, nullptr)
                       ? op<zkOpObject>(ZK_IF_TRAINED, 0)(engine, trainer) : 0;
    op<zkOpDetach>(ZK_IF_RESOURCES, 1)(engine, trainer, set);
    for (zkId o : {trainer, input, set})
        release(o);
    return trained;
}

const std::string lowercase = "abcdefghijklmnopqrstuvwxyz";
const std::string capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

HersheyFont font(const std::string &name)
{
    HersheyFont f;
    f.load(std::string(HERSHEY_DIR) + "/" + name + ".jhf");
    return f;
}

// Glyphs of held-out fonts as they stand and in variants (seed 7, not the trainer's).
Samples heldOutGlyphs(const std::vector<std::string> &fonts, const std::string &chars)
{
    Samples out;
    Augmenter augmenter(7);
    for (const std::string &name : fonts) {
        HersheyFont f = font(name);
        for (char c : chars) {
            auto g = f.glyphs().find(c);
            if (g == f.glyphs().end() || g->second.empty())
                continue;
            for (int v = 0; v < 3; ++v)
                out.push_back({std::string(1, c), v ? augmenter.variant(g->second) : g->second});
        }
    }
    return out;
}

// Writers made up from held-out fonts: each seed a writer, each letter written `count` times
// from the sample `first` on, in the cell of a boxed pad (a square 1.7 capitals high).
Samples unseenWriters(const std::vector<std::string> &fonts, const std::vector<unsigned> &seeds,
                      const std::string &chars, int first, int count)
{
    Samples out;
    for (const std::string &name : fonts) {
        HersheyFont f = font(name);
        const InkBox capital = boundingBox(f.glyphs().at('H'));
        for (unsigned seed : seeds) {
            Handwriting writer(seed);
            for (int n = 0; n < first + count; ++n)
                for (char c : chars) {
                    auto g = f.glyphs().find(c);
                    if (g == f.glyphs().end() || g->second.empty())
                        continue;
                    const bool small = std::islower(uint8_t(c));
                    InkStrokes ink = writer.write(g->second, small);
                    if (n < first)
                        continue;
                    InkBox b = boundingBox(ink);
                    float side = 1.7f * capital.height(), cx = (b.left + b.right) / 2;
                    float top = capital.top - 0.25f * capital.height();
                    out.push_back({std::string(1, c), ink, InkBox{cx - side / 2, top, cx + side / 2, top + side}});
                }
        }
    }
    return out;
}

Samples realInk(const std::vector<std::string> &files, bool yUp, const std::string &chars)
{
    InkCorpus corpus;
    for (const std::string &f : files)
        corpus.read(std::string(SCRIVEL_SOURCE_DIR) + "/resources/ink/" + f, yUp);
    Samples out;
    for (const InkCorpus::Sample &s : corpus.samples())
        if (s.label.size() == 1 && chars.find(s.label) != std::string::npos)
            out.push_back({s.label, s.ink});
    return out;
}

// Each writer's first sample of a letter (and light variants of it) trains, the second reads.
void splitByRepeat(const Samples &all, Samples &training, Samples &reading)
{
    Augmenter augmenter(31);
    std::vector<std::string> seen;
    for (const Sample &s : all) {
        const bool again = std::count(seen.begin(), seen.end(), s.label) % 2 == 1;
        seen.push_back(s.label);
        if (again) {
            reading.push_back(s);
            continue;
        }
        training.push_back(s);
        for (int v = 0; v < 5; ++v)
            training.push_back({s.label, augmenter.jittered(s.ink)});
    }
}

// The pen digits of each writer of a UNIPEN file whose ".COMMENT <digit> <writer> ..." line
// precedes each segment, by writer.
std::vector<Samples> digitsByWriter(const std::string &file)
{
    const std::string path = std::string(SCRIVEL_SOURCE_DIR) + "/resources/ink/" + file;
    InkCorpus corpus;
    corpus.read(path, true);
    std::vector<int> writers;
    FILE *f = std::fopen(path.c_str(), "r");
    char line[256];
    while (f && std::fgets(line, sizeof line, f)) {
        int digit = 0, writer = 0;
        if (std::sscanf(line, ".COMMENT %d %d", &digit, &writer) == 2)
            writers.push_back(writer);
    }
    if (f)
        std::fclose(f);
    std::vector<Samples> out;
    if (writers.size() != corpus.samples().size())
        return out;
    for (size_t i = 0; i < writers.size(); ++i) {
        if (out.size() < size_t(writers[i]))
            out.resize(size_t(writers[i]));
        if (writers[i] > 0)
            out[size_t(writers[i] - 1)].push_back({corpus.samples()[i].label, corpus.samples()[i].ink});
    }
    return out;
}

// The first `count` samples of each label train, the others read.
void splitFirst(const Samples &all, int count, Samples &training, Samples &reading)
{
    std::vector<std::string> seen;
    for (const Sample &s : all) {
        (std::count(seen.begin(), seen.end(), s.label) < count ? training : reading).push_back(s);
        seen.push_back(s.label);
    }
}

// A writer's two samples of each label: the first ones and the second ones.
void splitInTwo(const Samples &all, Samples &first, Samples &second)
{
    std::vector<std::string> seen;
    for (const Sample &s : all) {
        (std::count(seen.begin(), seen.end(), s.label) % 2 ? second : first).push_back(s);
        seen.push_back(s.label);
    }
}

// The inks of a fixture file, each as drawn and in variants-1 varied copies.
Samples fixtures(const std::string &path, int variants)
{
    Samples out;
    Augmenter augmenter(11);
    for (const InkFileEntry &f : readInkFile(path))
        for (int v = 0; v < variants; ++v)
            out.push_back({f.label, v ? augmenter.variant(f.ink, false) : f.ink});
    return out;
}

// The known Hershey Japanese glyphs (kanji or kana) written once by each writer (a seed)
// in a boxed pad's cell.
Samples japaneseWriters(bool kanji, const std::vector<unsigned> &seeds)
{
    const float cell = 120;
    Samples out;
    const std::vector<JapaneseGlyph> glyphs = japaneseGlyphs(std::string(HERSHEY_DIR) + "/japanese.jhf");
    for (unsigned seed : seeds) {
        KanjiWriter writer(seed);
        for (const JapaneseGlyph &g : glyphs)
            if (g.kanji == kanji)
                out.push_back({g.label, writer.write(g.pen, cell), InkBox{0, 0, cell, cell}});
    }
    return out;
}

// The same characters written small and away from the middle of their cells, as hurried
// writers do: each in turn towards another corner, at 45-60 % of its size.
Samples offCentre(Samples samples)
{
    const float shifts[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (size_t i = 0; i < samples.size(); ++i) {
        Sample &s = samples[i];
        const float scale = 0.45f + 0.05f * float(i % 4);
        const float side = s.guide.width(), reach = (1 - scale) * side * 0.4f;
        const float cx = s.guide.left + side / 2 + shifts[i % 4][0] * reach;
        const float cy = s.guide.top + s.guide.height() / 2 + shifts[i % 4][1] * reach;
        for (InkStroke &stroke : s.ink)
            for (InkPoint &p : stroke)
                p = {cx + (p.x - s.guide.left - side / 2) * scale,
                     cy + (p.y - s.guide.top - s.guide.height() / 2) * scale};
    }
    return samples;
}

// A word list of the common characters without the labels of the samples: the same ink,
// but the right character is never listed.
zkId commonWithout(const Samples &samples)
{
    zkId lexicon = current->createObject(ZK_TYPE_LEXICON);
    std::ifstream in(std::string(SCRIVEL_SOURCE_DIR) + "/resources/languages/ja_JP/common.txt");
    for (std::string line; std::getline(in, line);) {
        const bool sampled = std::any_of(samples.begin(), samples.end(),
                                         [&](const Sample &s) { return s.label == line; });
        if (line.empty() || line[0] == '#' || sampled)
            continue;
        zkText text{line.c_str(), uint32_t(line.size())};
        op<zkOpAddText>(ZK_IF_LEXICON, 0)(engine, lexicon, 0, &text);
    }
    op<zkOpFinish>(ZK_IF_LEXICON_FINISH, 1)(engine, lexicon, 0, 0);
    return lexicon;
}

const char *const fiveLetterWords[] = {"hello", "world", "thank", "paper", "house",
                                       "water", "green", "seven", "music", "phone",
                                       "table", "night", "start", "write", "great"};

// Five-letter words of a held-out font, letters at the font's spacing.
Samples fontWords(const std::string &name)
{
    HersheyFont f = font(name);
    Samples out;
    for (const char *word : fiveLetterWords) {
        InkStrokes ink;
        float x = 0;
        for (const char *c = word; *c; ++c) {
            const InkStrokes &g = f.glyphs().at(*c);
            InkBox b = boundingBox(g);
            for (const InkStroke &s : g) {
                InkStroke t;
                for (const InkPoint &p : s)
                    t.push_back({p.x - b.left + x, p.y});
                ink.push_back(t);
            }
            x += b.width() + 3;
        }
        out.push_back({word, ink});
    }
    return out;
}

// Five-letter words written by unseen writers, letters a fifth of the x-height apart.
Samples writerWords(const std::string &name, const std::vector<unsigned> &seeds)
{
    HersheyFont f = font(name);
    const float gap = 0.2f * boundingBox(f.glyphs().at('x')).height();
    Samples out;
    for (unsigned seed : seeds) {
        Handwriting writer(seed);
        for (const char *word : fiveLetterWords) {
            InkStrokes ink;
            float x = 0;
            for (const char *c = word; *c; ++c) {
                InkStrokes letter = writer.write(f.glyphs().at(*c), true);
                const float shift = x - boundingBox(letter).left;
                for (InkStroke &s : letter) {
                    for (InkPoint &p : s)
                        p.x += shift;
                    ink.push_back(std::move(s));
                }
                x = boundingBox(ink).right + gap;
            }
            out.push_back({word, ink});
        }
    }
    return out;
}

// Each letter of a writer, the writer's samples of it in turn.
class Letters
{
public:
    explicit Letters(const Samples &samples)
    {
        for (const Sample &s : samples)
            m_samples[s.label].push_back(s.ink);
    }
    const InkStrokes *next(const std::string &label)
    {
        auto it = m_samples.find(label);
        if (it == m_samples.end() || it->second.empty())
            return nullptr;
        return &it->second[m_used[label]++ % it->second.size()];
    }

private:
    std::map<std::string, std::vector<InkStrokes>> m_samples;
    std::map<std::string, size_t> m_used;
};

// The lexicon's words of 3-8 letters.
std::vector<std::string> lexiconWords()
{
    std::vector<std::string> out;
    std::ifstream in(std::string(SCRIVEL_SOURCE_DIR) + "/resources/languages/en_US/words.txt");
    for (std::string word; std::getline(in, word);)
        if (word.size() >= 3 && word.size() <= 8
            && std::all_of(word.begin(), word.end(), [](char c) { return std::islower(uint8_t(c)); }))
            out.push_back(word);
    return out;
}

// A word of a writer's real letters as the hand lays them out: each letter where the writer
// put it in height (the samples share the writer's frame, and so the baseline), a gap of a
// fifth of the x-height after the one before; joined, each letter's last stroke runs on into
// the next letter's first.
InkStrokes writtenWord(Letters &letters, const std::string &word, float xHeight, bool joined)
{
    InkStrokes ink;
    float x = 0;
    for (char c : word) {
        const InkStrokes *sample = letters.next(std::string(1, c));
        if (!sample)
            return {};
        InkStrokes letter = *sample;
        const float shift = x - boundingBox(letter).left;
        for (InkStroke &s : letter)
            for (InkPoint &p : s)
                p.x += shift;
        x = boundingBox(letter).right + 0.2f * xHeight;
        if (joined && !ink.empty()) {
            ink.back().insert(ink.back().end(), letter.front().begin(), letter.front().end());
            letter.erase(letter.begin());
        }
        for (InkStroke &s : letter)
            ink.push_back(std::move(s));
    }
    return ink;
}

// The lexicon's words written by each held-out UJI writer, with pen lifts or joined up.
Samples ujiWords(const std::vector<std::string> &writers, bool joined)
{
    Samples out;
    for (const std::string &writer : writers) {
        const Samples lower = realInk({writer}, false, lowercase);
        std::vector<float> heights;
        for (const Sample &s : lower)
            if (std::string("acemnorsuvwxz").find(s.label) != std::string::npos)
                heights.push_back(boundingBox(s.ink).height());
        std::nth_element(heights.begin(), heights.begin() + long(heights.size() / 2), heights.end());
        Letters letters(lower);
        for (const std::string &word : lexiconWords()) {
            InkStrokes ink = writtenWord(letters, word, heights[heights.size() / 2], joined);
            if (!ink.empty())
                out.push_back({word, ink});
        }
    }
    return out;
}

// Numbers of four digits written by each pen-digit test writer: the writer's digits brought
// to one height on one baseline, a third of that height apart.
Samples penDigitNumbers()
{
    Samples out;
    unsigned next = 1;
    for (const Samples &writer : digitsByWriter("pendigits/pendigits-orig.tes")) {
        if (writer.empty())
            continue;
        Letters digits(writer);
        for (int n = 0; n < 12; ++n) {
            std::string number;
            for (int k = 0; k < 4; ++k, next = next * 1103515245u + 12345u)
                number += char('0' + (next >> 16) % 10);
            InkStrokes ink;
            float x = 0;
            for (char c : number) {
                const InkStrokes *sample = digits.next(std::string(1, c));
                if (!sample)
                    break;
                const InkBox b = boundingBox(*sample);
                const float scale = 100.0f / std::max(b.height(), 1.0f);
                for (InkStroke s : *sample) {
                    for (InkPoint &p : s)
                        p = {x + (p.x - b.left) * scale, 100 - (b.bottom - p.y) * scale};
                    ink.push_back(std::move(s));
                }
                x += b.width() * scale + 33;
            }
            out.push_back({number, ink});
        }
    }
    return out;
}

struct BenchSet {
    std::string name;
    const char *unit;
    std::function<Score()> run;
};

std::vector<BenchSet> sets()
{
    const std::vector<std::string> latin{"en_US/en_US-ak-iso.res"};
    const std::vector<std::string> cursive{"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"};
    const std::vector<std::string> calculator{"shared/Calculator-ak-hpr.res"};
    const std::vector<std::string> japanese{"ja_JP/ja_JP-ak-iso.res", "ja_JP/ja_JP-lk-common.res"};
    auto japaneseFixtures = [] {
        return fixtures(std::string(SCRIVEL_SOURCE_DIR) + "/tests/engine/fixtures/japanese.ink", 10);
    };
    const std::vector<std::string> heldOut{"rowmans", "rowmand", "futuram"};
    // Seeds and styles the trainer never used.
    const std::vector<unsigned> writers{9001, 9002, 9003, 9004, 9005, 9006};
    const std::vector<unsigned> kanjiWriters{8001, 8002, 8003, 8004, 8005, 8006, 8007, 8008};
    const std::vector<std::string> uji{"uji-v1/UJIpenchars-w10.txt", "uji-v1/UJIpenchars-w11.txt"};
    auto unseenLower = [=] { return unseenWriters(heldOut, writers, lowercase, 0, 1); };
    auto userCase = [=](const Samples &training, const Samples &reading) {
        zkId trained = trainUser(training);
        Score score = readAll(reading, latin, ZK_UNIT_BOXED, trained);
        release(trained);
        return score;
    };
    return {
        {"Hershey held out (rowmans): letters", "character",
         [=] { return readAll(heldOutGlyphs({"rowmans"}, lowercase + capitals), latin, ZK_UNIT_BOXED); }},
        {"Hershey held out: symbols, free unit", "character",
         [=] { return readAll(heldOutGlyphs({"rowmans"}, "?!-+=()/&@#*%$<>[]"), cursive, ZK_UNIT_FREE); }},
        {"Hershey held out: calculator", "character",
         [=] { return readAll(heldOutGlyphs({"rowmans"}, "0123456789+-=()/?"), calculator, ZK_UNIT_BOXED); }},
        {"Unseen writers: a-z, boxed", "character",
         [=] { return readAll(unseenLower(), latin, ZK_UNIT_BOXED); }},
        {"Unseen writers: a-z, one letter in a free unit", "character",
         [=] { return readAll(unseenLower(), cursive, ZK_UNIT_FREE); }},
        {"Unseen writers: A-Z, boxed", "character",
         [=] { return readAll(unseenWriters(heldOut, writers, capitals, 0, 1), latin, ZK_UNIT_BOXED); }},
        {"Unseen writer 9100 trained, 6 per letter: a-z", "character",
         [=] {
             return userCase(unseenWriters({"rowmand"}, {9100}, lowercase, 0, 6),
                             unseenWriters({"rowmand"}, {9100}, lowercase, 6, 3));
         }},
        {"UJI writers 10-11: a-z, boxed", "character",
         [=] { return readAll(realInk(uji, false, lowercase), latin, ZK_UNIT_BOXED); }},
        {"UJI writers 10-11: a-z, one letter free", "character",
         [=] { return readAll(realInk(uji, false, lowercase), cursive, ZK_UNIT_FREE); }},
        {"UJI writers 10-11: A-Z, boxed", "character",
         [=] { return readAll(realInk(uji, false, capitals), latin, ZK_UNIT_BOXED); }},
        {"UJI writers 10-11 trained (1 sample + 5 varied)", "character",
         [=] {
             Samples training, reading;
             splitByRepeat(realInk(uji, false, lowercase), training, reading);
             return userCase(training, reading);
         }},
        {"UJI writers 10-11 each trained, 1 real per letter", "character",
         [=] {
             Score all;
             for (const std::string &writer : uji) {
                 Samples first, second;
                 splitInTwo(realInk({writer}, false, lowercase), first, second);
                 all.merge(userCase(first, second));
                 all.merge(userCase(second, first));
             }
             return all;
         }},
        {"UJI writers 10-11 each trained: a-z A-Z 0-9", "character",
         [=] {
             Score all;
             for (const std::string &writer : uji) {
                 Samples first, second;
                 splitInTwo(realInk({writer}, false, lowercase + capitals + "0123456789"), first, second);
                 all.merge(userCase(first, second));
                 all.merge(userCase(second, first));
             }
             return all;
         }},
        {"Pen digits, 14 test writers trained, 6 per digit", "character",
         [=] {
             Score all;
             for (const Samples &writer : digitsByWriter("pendigits/pendigits-orig.tes")) {
                 Samples training, reading;
                 splitFirst(writer, 6, training, reading);
                 all.merge(userCase(training, reading));
             }
             return all;
         }},
        {"UJI writers 10-11 trained a-z: A-Z, boxed", "character",
         [=] {
             Samples training, reading;
             splitByRepeat(realInk(uji, false, lowercase), training, reading);
             return userCase(training, realInk(uji, false, capitals));
         }},
        {"UJI writers 10-11: digits, calculator", "character",
         [=] { return readAll(realInk(uji, false, "0123456789"), calculator, ZK_UNIT_BOXED); }},
        {"Pen digits, 14 test writers, calculator", "character",
         [=] { return readAll(realInk({"pendigits/pendigits-orig.tes"}, true, "0123456789"), calculator, ZK_UNIT_BOXED); }},
        {"Japanese (drawn fixtures), boxed", "character",
         [=] { return readAll(japaneseFixtures(), japanese, ZK_UNIT_BOXED); }},
        {"Japanese (drawn fixtures), no common list", "character",
         [=] { return readAll(japaneseFixtures(), {"ja_JP/ja_JP-ak-iso.res"}, ZK_UNIT_BOXED); }},
        {"Japanese (drawn fixtures), bare Zinnia", "character",
         [=] { return readBare(japaneseFixtures()); }},
        {"Hershey Japanese, 8 writers: kanji", "character",
         [=] { return readAll(japaneseWriters(true, kanjiWriters), japanese, ZK_UNIT_BOXED); }},
        {"Hershey Japanese: kanji, no common list", "character",
         [=] { return readAll(japaneseWriters(true, kanjiWriters), {japanese[0]}, ZK_UNIT_BOXED); }},
        {"Hershey Japanese: kanji, their own unlisted", "character",
         [=] {
             Samples samples = japaneseWriters(true, kanjiWriters);
             zkId list = commonWithout(samples);
             Score score = readAll(samples, {japanese[0]}, ZK_UNIT_BOXED, list);
             release(list);
             return score;
         }},
        {"Hershey Japanese: kanji, bare Zinnia", "character",
         [=] { return readBare(japaneseWriters(true, kanjiWriters)); }},
        {"Hershey Japanese: kanji small, off-centre", "character",
         [=] { return readAll(offCentre(japaneseWriters(true, kanjiWriters)), japanese, ZK_UNIT_BOXED); }},
        {"UJI writers 10-11: 0-9, boxed (text)", "character",
         [=] { return readAll(realInk(uji, false, "0123456789"), latin, ZK_UNIT_BOXED); }},
        {"Pen digits, 14 test writers, boxed (text)", "character",
         [=] { return readAll(realInk({"pendigits/pendigits-orig.tes"}, true, "0123456789"), latin, ZK_UNIT_BOXED); }},
        {"Pen digits, 14 test writers: 4-digit numbers, free", "word",
         [=] { return readAll(penDigitNumbers(), cursive, ZK_UNIT_FREE); }},
        {"UJI writers 10-11: lexicon words, pen lifts", "word",
         [=] { return readAll(ujiWords(uji, false), cursive, ZK_UNIT_FREE); }},
        {"UJI writers 10-11: lexicon words, joined up", "word",
         [=] { return readAll(ujiWords(uji, true), cursive, ZK_UNIT_FREE); }},
        {"Words of 5 letters (rowmans), lexicon", "word",
         [=] { return readAll(fontWords("rowmans"), cursive, ZK_UNIT_FREE); }},
        {"Unseen writers: 5-letter words, tight, lexicon", "word",
         [=] { return readAll(writerWords("rowmand", writers), cursive, ZK_UNIT_FREE); }},
    };
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<EngineLibrary> engines;
    if (argc == 3 && std::string(argv[1]) == "--before") {
        engines.emplace_back("before");
        if (!engines.back().open(argv[2])) {
            std::fprintf(stderr, "cannot open the engine in %s\n", argv[2]);
            return 1;
        }
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--before <build folder>]\n", argv[0]);
        return 2;
    }
    engines.emplace_back("now");
    if (!engines.back().open(std::string(SCRIVEL_BIN_DIR) + "/..")) {
        std::fprintf(stderr, "cannot open this build's engine\n");
        return 1;
    }
    const char *only = std::getenv("BENCH_ONLY");
    for (const BenchSet &set : sets())
        for (EngineLibrary &e : engines) {
            if (only && set.name.find(only) == std::string::npos)
                continue;
            current = &e;
            engine = e.id();
            print(set.run(), set.name, set.unit);
        }
    for (EngineLibrary &e : engines)
        e.destroy();
    return 0;
}
