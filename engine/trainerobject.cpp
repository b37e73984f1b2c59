#include "engine/trainerobject.h"

#include "engine/resourceobject.h"
#include "engine/strokeform.h"
#include "engine/templateclassifier.h"
#include "engine/trainingsetobject.h"

#include <zinnia.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace zk {

namespace {

// The user's Latin samples (ASCII labels) are kept as templates; others train a boxed model.
bool isLatin(const std::string &label)
{
    return std::all_of(label.begin(), label.end(), [](char c) { return uint8_t(c) < 0x80; });
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void addCharacter(zinnia_trainer_t *trainer, const std::string &label, const InkStrokes &shaped)
{
    if (shaped.empty())
        return;
    zinnia_character_t *c = zinnia_character_new();
    zinnia_character_set_value(c, label.c_str());
    zinnia_character_set_width(c, size_t(StrokeForm::side));
    zinnia_character_set_height(c, size_t(StrokeForm::side));
    for (size_t k = 0; k < shaped.size(); ++k)
        for (const InkPoint &p : shaped[k])
            zinnia_character_add(c, k, int(p.x), int(p.y));
    zinnia_trainer_add(trainer, c);
    zinnia_character_destroy(c);
}

// Zinnia shuffles its samples with the C library's generator.
const unsigned trainingSeed = 20261210;

// Trains into path without a word on the host's standard output (Zinnia reports every step
// there) and with the same model for the same samples, whatever the host's random state; the
// host's generator goes on from a seed drawn from it.
bool trainQuietly(zinnia_trainer_t *trainer, const std::string &path)
{
    std::cout.flush();
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    int sink = open("/dev/null", O_WRONLY);
    if (saved >= 0 && sink >= 0)
        dup2(sink, STDOUT_FILENO);
    const unsigned next = unsigned(std::rand());
    std::srand(trainingSeed);
    bool ok = zinnia_trainer_train(trainer, path.c_str());
    std::srand(next);
    std::cout.flush();
    std::fflush(stdout);
    if (saved >= 0 && sink >= 0)
        dup2(saved, STDOUT_FILENO);
    for (int fd : {saved, sink})
        if (fd >= 0)
            close(fd);
    return ok;
}

// A new, empty file in the system's temporary folder (TMPDIR); "" when there is none.
std::string temporaryFile()
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        return {};
    std::string path = (folder / "inkora-trainXXXXXX").string();
    int fd = mkstemp(path.data());
    if (fd < 0)
        return {};
    close(fd);
    return path;
}

using Samples = std::vector<const TrainingSample *>;

// Latin letters of a user: the samples themselves, read by their likeness to the ink.
std::shared_ptr<ResourceObject> userTemplates(const Samples &samples, zkProgressFn progress,
                                              void *context)
{
    std::vector<TemplateClassifier::Sample> own;
    const int total = int(samples.size()) + 1;
    for (size_t i = 0; i < samples.size(); ++i) {
        own.push_back({samples[i]->label, samples[i]->ink});
        if (progress && !progress(int(i) + 1, total, context))
            return nullptr;
    }
    TemplateClassifier templates;
    if (!templates.train(own))
        return nullptr;
    auto resource = std::make_shared<ResourceObject>();
    resource->flags = ResourceObject::User;
    resource->name = "user";
    resource->templates = templates.payload();
    return resource->open() ? resource : nullptr;
}

// Other scripts: a Zinnia model of the samples in their boxes.
std::shared_ptr<ResourceObject> userModel(const Samples &samples, zkProgressFn progress,
                                          void *context)
{
    zinnia_trainer_t *trainer = zinnia_trainer_new();
    const int total = int(samples.size()) + 1;
    bool stopped = false;
    for (int i = 0; i < int(samples.size()) && !stopped; ++i) {
        const InkStrokes &ink = samples[size_t(i)]->ink;
        addCharacter(trainer, samples[size_t(i)]->label,
                     StrokeForm::inBox(ink, StrokeForm::squareAround(ink)));
        stopped = progress && !progress(i + 1, total, context);
    }
    const std::string path = stopped ? std::string() : temporaryFile();
    const bool ok = !path.empty() && trainQuietly(trainer, path);
    zinnia_trainer_destroy(trainer);
    if (path.empty())
        return nullptr;
    auto resource = std::make_shared<ResourceObject>();
    resource->flags = ResourceObject::User | ResourceObject::Boxed;
    resource->name = "user";
    resource->modelBytes = ok ? readFile(path) : std::string();
    std::remove(path.c_str());
    std::remove((path + ".txt").c_str());
    return ok && resource->open() ? resource : nullptr;
}

} // namespace

TrainerObject::TrainerObject()
    : ResourceHolder(ZK_TYPE_TRAINER)
{
}

bool TrainerObject::accepts(const EngineObject &resource) const
{
    return resource.type() == ZK_TYPE_TRAINING_SET || ResourceHolder::accepts(resource);
}

bool TrainerObject::run(zkProgressFn progress, void *context)
{
    m_trained.reset();
    Samples samples;
    for (const auto &r : resources())
        if (auto set = std::dynamic_pointer_cast<const TrainingSetObject>(r))
            for (const TrainingSample &s : set->samples())
                samples.push_back(&s);
    if (samples.empty())
        return false;
    const bool latin = std::all_of(samples.begin(), samples.end(),
                                   [](const TrainingSample *s) { return isLatin(s->label); });
    m_trained = latin ? userTemplates(samples, progress, context)
                      : userModel(samples, progress, context);
    const int total = int(samples.size()) + 1;
    if (m_trained && progress)
        progress(total, total, context);
    return m_trained != nullptr;
}

} // namespace zk
