// Trains a built-in character model from Hershey fonts and real ink:
//   inkoratrain <set> <variants per template> <output model> <source>...
// A source is a font (.jhf), a folder of .ink files, or "--real <repeats>" followed by files of
// real ink (InkCorpus), each prefixed "--y-up" when its y grows upwards.
#include "engine/strokeform.h"
#include "engine/tools/augmenter.h"
#include "engine/tools/modelsamples.h"

#include <zinnia.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>

using namespace zk;

namespace {

const double modelCompression = 0.01;

void addSample(zinnia_trainer_t *trainer, const std::string &label, const InkStrokes &glyph)
{
    InkStrokes ink = StrokeForm::canonical(glyph);
    if (ink.empty())
        return;
    zinnia_character_t *c = zinnia_character_new();
    zinnia_character_set_value(c, label.c_str());
    zinnia_character_set_width(c, size_t(StrokeForm::side));
    zinnia_character_set_height(c, size_t(StrokeForm::side));
    for (size_t k = 0; k < ink.size(); ++k)
        for (const InkPoint &p : ink[k])
            zinnia_character_add(c, k, int(p.x), int(p.y));
    zinnia_trainer_add(trainer, c);
    zinnia_character_destroy(c);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <latin|calculator> <variants> <model> <font>...\n", argv[0]);
        return 2;
    }
    ModelSamples samples(argv[1]);
    int variants = std::atoi(argv[2]);
    int repeats = 0;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        bool ok = true;
        if (arg == "--real" && i + 1 < argc)
            repeats = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--y-up" && i + 1 < argc && repeats)
            ok = samples.addCorpus(argv[++i], true, repeats);
        else if (repeats)
            ok = samples.addCorpus(arg, false, repeats);
        else
            ok = std::filesystem::is_directory(arg) ? samples.addInkFolder(arg) : samples.addFont(arg);
        if (!ok) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
    }
    Augmenter augmenter(20261210);
    zinnia_trainer_t *trainer = zinnia_trainer_new();
    for (const auto &t : samples.templates())
        for (int v = 0; v < variants; ++v)
            addSample(trainer, t.first, v == 0 ? t.second : augmenter.variant(t.second));
    for (const auto &s : samples.inkSamples())
        for (int v = 0; v < s.repeats; ++v)
            addSample(trainer, s.label, v == 0 ? s.ink : augmenter.jittered(s.ink));
    if (!std::freopen("/dev/null", "w", stdout)) // Zinnia reports each step there
        return 1;
    const std::string text = std::string(argv[3]) + ".txt";
    bool ok = zinnia_trainer_train(trainer, argv[3]);
    if (!ok)
        std::fprintf(stderr, "training failed: %s\n", zinnia_trainer_strerror(trainer));
    // Weights below this are dropped: a third smaller, read as well.
    else if (!(ok = zinnia_trainer_convert_model(text.c_str(), argv[3], modelCompression)))
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
    zinnia_trainer_destroy(trainer);
    std::remove(text.c_str());
    return ok ? 0 : 1;
}
