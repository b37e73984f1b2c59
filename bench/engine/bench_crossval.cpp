// Writer-independent bench of the Latin training recipe: UJI writers 1-9 in three folds of
// three writers; each fold trains a Latin model as the build does (the build's recipe, the
// UJI ink of the six other writers) in a temporary folder and reads its own writers' a-z,
// A-Z and 0-9, boxed, through the engine as the Latin boxed pad does:
//   bench_crossval [--keep]
// Folds train side by side at a low priority, three processes. --keep leaves the models.
// BENCH_VERBOSE=1 also lists the misreadings.
#include "engine/tools/inkcorpus.h"
#include "engine/zkengine.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using namespace zk;

namespace {

zkId engine = 0;

template <class F>
F op(uint32_t i, int o)
{
    return reinterpret_cast<F>(zkGetInterface(engine, i)[o]);
}

bool verbose()
{
    static const bool on = std::getenv("BENCH_VERBOSE") != nullptr;
    return on;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty())
            out.push_back(part);
    return out;
}

std::string ujiFile(int writer)
{
    char name[64];
    std::snprintf(name, sizeof name, "/resources/ink/uji-v1/UJIpenchars-w%02d.txt", writer);
    return std::string(SCRIVEL_SOURCE_DIR) + name;
}

struct Fold {
    std::vector<int> writers;
    std::string model;
    std::string resource;
    pid_t trainer = 0;
    double trainSeconds = 0;
};

// Starts the trainer on the build's recipe with the UJI ink of writers 1-9 outside the fold.
pid_t startTraining(const Fold &fold)
{
    std::vector<std::string> args{"nice", "-n", "10", INKORATRAIN, "latin"};
    for (const std::string &a : split(LATIN_RECIPE, '|'))
        args.push_back(a);
    for (int w = 1; w <= 9; ++w)
        if (std::find(fold.writers.begin(), fold.writers.end(), w) == fold.writers.end())
            args.push_back(ujiFile(w));
    args.insert(args.begin() + 6, fold.model);
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

bool pack(const Fold &fold)
{
    const std::string command = std::string(INKORAPACK) + " model " + fold.resource + " latin " + fold.model;
    return std::system(command.c_str()) == 0;
}

int32_t readFile(void *buffer, int32_t size, void *file)
{
    return int32_t(std::fread(buffer, 1, size_t(size), static_cast<FILE *>(file)));
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

std::vector<std::string> candidates(zkId reco)
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
        const auto end = got.begin() + long(std::min<size_t>(5, got.size()));
        top5 += std::find(got.begin(), end, want) != end;
        ms.push_back(t);
        if (verbose() && (got.empty() || got[0] != want))
            std::printf("%s->%s ", want.c_str(), got.empty() ? "-" : got[0].c_str());
    }
    void merge(const Score &other)
    {
        total += other.total;
        top1 += other.top1;
        top5 += other.top5;
        folded1 += other.folded1;
        ms.insert(ms.end(), other.ms.begin(), other.ms.end());
    }
    void print(const std::string &set) const
    {
        if (verbose())
            std::printf("\n");
        if (!total) {
            std::printf("%-34s no samples\n", set.c_str());
            return;
        }
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-26s n=%5d  top-1 %5.1f %%  top-5 %5.1f %%  folded top-1 %5.1f %%  %.3f ms per character\n",
                    set.c_str(), total, 100.0 * top1 / total, 100.0 * top5 / total,
                    100.0 * folded1 / total, sorted[sorted.size() / 2]);
    }
};

// The box of a writing line around ink: as tall as the ink, or a capital of 21 units.
InkBox lineBox(const InkStrokes &ink)
{
    InkBox b = boundingBox(ink);
    float h = std::max(b.height(), 21.0f);
    return {b.left, b.bottom - h, b.left + h, b.bottom};
}

// Reads the characters of `chars` that the fold's writers wrote, boxed.
Score readFold(const Fold &fold, const std::string &chars)
{
    zkId reco = zkCreateObject(engine, ZK_TYPE_RECOGNIZER);
    FILE *f = std::fopen(fold.resource.c_str(), "rb");
    zkId res = f ? zkLoadObject(engine, readFile, f) : 0;
    if (f)
        std::fclose(f);
    op<zkOpAttach>(ZK_IF_RESOURCES, 0)(engine, reco, res);
    zkReleaseObject(engine, res);
    zkId input = zkCreateObject(engine, ZK_TYPE_INK_INPUT);
    op<zkOpBind>(ZK_IF_BIND, 1)(engine, reco, input);
    Score score;
    for (int w : fold.writers) {
        InkCorpus corpus;
        corpus.read(ujiFile(w));
        for (const InkCorpus::Sample &s : corpus.samples()) {
            if (s.label.size() != 1 || chars.find(s.label) == std::string::npos)
                continue;
            op<zkOpClear>(ZK_IF_INPUT, 0)(engine, input, 0);
            op<zkOpStartUnit>(ZK_IF_INPUT, 2)(engine, input, ZK_UNIT_BOXED);
            const InkBox b = lineBox(s.ink);
            op<zkOpGuideBox>(ZK_IF_INPUT, 6)(engine, input, b.left, b.top, b.width(), b.height());
            for (const InkStroke &stroke : s.ink) {
                std::vector<float> x, y;
                for (const InkPoint &p : stroke) {
                    x.push_back(p.x);
                    y.push_back(p.y);
                }
                op<zkOpAddStroke>(ZK_IF_INPUT, 13)(engine, input, x.data(), 4, y.data(), 4, int32_t(x.size()));
            }
            const auto start = std::chrono::steady_clock::now();
            op<zkOpRun>(ZK_IF_RUN, 0)(engine, reco, nullptr, nullptr);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            score.add(candidates(reco), s.label, ms);
        }
    }
    zkReleaseObject(engine, input);
    zkReleaseObject(engine, reco);
    return score;
}

} // namespace

int main(int argc, char **argv)
{
    const bool keep = argc == 2 && std::string(argv[1]) == "--keep";
    if (argc > 2 || (argc == 2 && !keep)) {
        std::fprintf(stderr, "usage: %s [--keep]\n", argv[0]);
        return 2;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "bench_crossval-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    std::vector<Fold> folds(3);
    const auto start = std::chrono::steady_clock::now();
    for (size_t k = 0; k < folds.size(); ++k) {
        folds[k].writers = {int(3 * k + 1), int(3 * k + 2), int(3 * k + 3)};
        folds[k].model = folder + "/fold" + std::to_string(k + 1) + ".model";
        folds[k].resource = folder + "/fold" + std::to_string(k + 1) + ".res";
        folds[k].trainer = startTraining(folds[k]);
    }
    bool ok = true;
    for (Fold &fold : folds) {
        int status = 0;
        ok = fold.trainer > 0 && waitpid(fold.trainer, &status, 0) == fold.trainer && WIFEXITED(status)
             && WEXITSTATUS(status) == 0 && pack(fold) && ok;
        fold.trainSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (!ok) {
        std::fprintf(stderr, "training a fold failed (models in %s)\n", folder.c_str());
        return 1;
    }
    engine = zkCreateEngine(ZK_ENGINE_VERSION, nullptr, 0);
    const std::vector<std::pair<std::string, std::string>> sets{
        {"a-z", "abcdefghijklmnopqrstuvwxyz"},
        {"A-Z", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"0-9", "0123456789"}};
    std::vector<Score> pooled(sets.size());
    Score all;
    for (size_t k = 0; k < folds.size(); ++k) {
        const Fold &fold = folds[k];
        std::printf("Fold %zu: writers %d-%d held out, trained in %.0f s, model %.2f MB\n", k + 1,
                    fold.writers.front(), fold.writers.back(), fold.trainSeconds,
                    double(std::filesystem::file_size(fold.model)) / 1e6);
        for (size_t i = 0; i < sets.size(); ++i) {
            Score score = readFold(fold, sets[i].second);
            score.print("  " + sets[i].first + ", boxed");
            pooled[i].merge(score);
            all.merge(score);
        }
    }
    std::printf("Pooled over the folds:\n");
    for (size_t i = 0; i < sets.size(); ++i)
        pooled[i].print("  " + sets[i].first + ", boxed");
    all.print("  a-z A-Z 0-9, boxed");
    zkDestroyEngine(engine);
    if (keep)
        std::printf("Models kept in %s\n", folder.c_str());
    else
        std::filesystem::remove_all(folder);
    return 0;
}
