#include "engine/trainerobject.h"

#include "engine/resourceobject.h"
#include "engine/strokeform.h"
#include "engine/trainingsetobject.h"

#include <zinnia.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zk {

namespace {

// Trained models of the user: ASCII labels in the canonical form, others boxed.
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
    std::vector<const TrainingSample *> samples;
    for (const auto &r : resources())
        if (auto set = std::dynamic_pointer_cast<const TrainingSetObject>(r))
            for (const TrainingSample &s : set->samples())
                samples.push_back(&s);
    if (samples.empty())
        return false;
    bool latin = std::all_of(samples.begin(), samples.end(),
                             [](const TrainingSample *s) { return isLatin(s->label); });
    zinnia_trainer_t *trainer = zinnia_trainer_new();
    int total = int(samples.size()) + 1;
    bool stopped = false;
    for (int i = 0; i < int(samples.size()) && !stopped; ++i) {
        const TrainingSample &s = *samples[size_t(i)];
        InkStrokes shaped = latin ? StrokeForm::canonical(s.ink)
                                  : StrokeForm::inBox(s.ink, StrokeForm::squareAround(s.ink));
        zinnia_character_t *c = zinnia_character_new();
        zinnia_character_set_value(c, s.label.c_str());
        zinnia_character_set_width(c, size_t(StrokeForm::side));
        zinnia_character_set_height(c, size_t(StrokeForm::side));
        for (size_t k = 0; k < shaped.size(); ++k)
            for (const InkPoint &p : shaped[k])
                zinnia_character_add(c, k, int(p.x), int(p.y));
        if (!shaped.empty())
            zinnia_trainer_add(trainer, c);
        zinnia_character_destroy(c);
        stopped = progress && !progress(i + 1, total, context);
    }
    char path[] = "/tmp/inkora-trainXXXXXX";
    int fd = stopped ? -1 : mkstemp(path);
    bool ok = fd >= 0 && zinnia_trainer_train(trainer, path);
    zinnia_trainer_destroy(trainer);
    if (fd >= 0) {
        close(fd);
        auto resource = std::make_shared<ResourceObject>();
        resource->flags = ResourceObject::User | (latin ? 0 : ResourceObject::Boxed);
        resource->name = "user";
        resource->modelBytes = ok ? readFile(path) : std::string();
        std::remove(path);
        std::remove((std::string(path) + ".txt").c_str());
        if (ok && resource->open())
            m_trained = resource;
    }
    if (m_trained && progress)
        progress(total, total, context);
    return m_trained != nullptr;
}

} // namespace zk
