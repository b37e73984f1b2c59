// Writer-independent bench of the Latin training recipe: UJI writers 1-9 in three folds of
// three writers; each fold trains a Latin model as the build does (the build's recipe, the
// UJI ink of the six other writers) in a temporary folder and reads its own writers' a-z,
// A-Z and 0-9, boxed, through the engine as the Latin boxed pad does:
//   bench_crossval [--keep]
// Folds train side by side at a low priority, three processes. --keep leaves the models.
// BENCH_VERBOSE=1 also lists the misreadings.
#include "enginelibrary.h"
#include "score.h"

#include "engine/tools/inkcorpus.h"
#include "engine/zkengine.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using namespace zk;

namespace {

EngineLibrary library("now");

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

void miss(const std::string &want, const std::vector<std::string> &got)
{
    if (verbose() && (got.empty() || got[0] != want))
        std::printf("%s->%s ", want.c_str(), got.empty() ? "-" : got[0].c_str());
}

void print(const Score &score, const std::string &set)
{
    if (verbose())
        std::printf("\n");
    const int total = score.total();
    if (!total) {
        std::printf("%-34s no samples\n", set.c_str());
        return;
    }
    std::printf("%-26s n=%5d  top-1 %5.1f %%  top-5 %5.1f %%  folded top-1 %5.1f %%  %.3f ms per character\n",
                set.c_str(), total, 100.0 * score.top1() / total, 100.0 * score.top5() / total,
                100.0 * score.folded1() / total, score.medianMs());
}

// Reads the characters of `chars` that the fold's writers wrote, boxed.
Score readFold(const Fold &fold, const std::string &chars)
{
    zkId res = library.loadResource(fold.resource);
    zkId reco = library.recognizer({}, res);
    library.release(res);
    zkId input = library.createObject(ZK_TYPE_INK_INPUT);
    library.op<zkOpBind>(ZK_IF_BIND, 1)(library.id(), reco, input);
    Score score;
    for (int w : fold.writers) {
        InkCorpus corpus;
        corpus.read(ujiFile(w));
        for (const InkCorpus::Sample &s : corpus.samples()) {
            if (s.label.size() != 1 || chars.find(s.label) == std::string::npos)
                continue;
            std::vector<std::string> got;
            const double ms = library.recognize(reco, input, s.ink, ZK_UNIT_BOXED, got);
            score.add(got, s.label, ms);
            miss(s.label, got);
        }
    }
    library.release(input);
    library.release(reco);
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
    if (!library.open(std::string(SCRIVEL_BIN_DIR) + "/..")) {
        std::fprintf(stderr, "cannot open this build's engine\n");
        return 1;
    }
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
            print(score, "  " + sets[i].first + ", boxed");
            pooled[i].merge(score);
            all.merge(score);
        }
    }
    std::printf("Pooled over the folds:\n");
    for (size_t i = 0; i < sets.size(); ++i)
        print(pooled[i], "  " + sets[i].first + ", boxed");
    print(all, "  a-z A-Z 0-9, boxed");
    library.destroy();
    if (keep)
        std::printf("Models kept in %s\n", folder.c_str());
    else
        std::filesystem::remove_all(folder);
    return 0;
}
