#include "engine/interfaces.h"

#include "engine/candidateiterator.h"
#include "engine/characterobject.h"
#include "engine/charsetobject.h"
#include "engine/inkinput.h"
#include "engine/inkobject.h"
#include "engine/knowledgeobject.h"
#include "engine/lexiconobject.h"
#include "engine/recognizerobject.h"
#include "engine/registry.h"
#include "engine/resourceobject.h"
#include "engine/resultobject.h"
#include "engine/segmentiterator.h"
#include "engine/trainerobject.h"
#include "engine/trainingsetobject.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace zk {

namespace {

template <class T>
std::shared_ptr<T> get(zkId engine, zkId id)
{
    return Registry::instance().get<T>(engine, id);
}

zkId handOut(zkId engine, std::shared_ptr<EngineObject> object)
{
    return object ? Registry::instance().add(engine, std::move(object)) : 0;
}

std::string textOf(const zkText *text)
{
    if (!text || !text->bytes || text->count == 0 || text->count > (1u << 20))
        return {};
    return std::string(text->bytes, text->count);
}

int32_t fill(zkBuffer *buffer, const std::string &s)
{
    if (!buffer)
        return 0;
    if (!buffer->bytes) {
        buffer->count = uint32_t(s.size());
        return int32_t(s.size());
    }
    uint32_t n = std::min<uint32_t>(buffer->count, uint32_t(s.size()));
    std::memcpy(buffer->bytes, s.data(), n);
    if (n < buffer->count)
        buffer->bytes[n] = '\0';
    buffer->count = n;
    return int32_t(n);
}

int32_t nothing()
{
    return 0;
}

// 150 and the shared parts of 355/356
int32_t atEnd(zkId e, zkId it)
{
    if (auto c = get<CandidateIterator>(e, it))
        return c->atEnd();
    if (auto s = get<SegmentIterator>(e, it))
        return s->atEnd();
    return 1;
}

void next(zkId e, zkId it)
{
    if (auto c = get<CandidateIterator>(e, it))
        c->next();
    else if (auto s = get<SegmentIterator>(e, it))
        s->next();
}

// 152
int32_t attach(zkId e, zkId target, zkId resource)
{
    auto holder = get<ResourceHolder>(e, target);
    return holder && holder->attach(Registry::instance().find(e, resource));
}

void detach(zkId e, zkId target, zkId resource)
{
    auto holder = get<ResourceHolder>(e, target);
    auto object = Registry::instance().find(e, resource);
    if (holder && object)
        holder->detach(object);
}

uint32_t resourceCount(zkId e, zkId target)
{
    auto holder = get<ResourceHolder>(e, target);
    return holder ? uint32_t(holder->resources().size()) : 0;
}

zkId resourceAt(zkId e, zkId target, uint32_t index)
{
    auto holder = get<ResourceHolder>(e, target);
    if (!holder || index >= holder->resources().size())
        return 0;
    return handOut(e, holder->resources()[index]);
}

// 153
int32_t finishLexicon(zkId e, zkId lexicon, int32_t, int32_t)
{
    auto l = get<LexiconObject>(e, lexicon);
    return l && l->finish();
}

// 154, 156, 160
void clearInput(zkId e, zkId input, int32_t)
{
    if (auto i = get<InkInput>(e, input))
        i->clear();
}

void startUnit(zkId e, zkId input, zkId kind)
{
    if (auto i = get<InkInput>(e, input))
        i->startUnit(kind);
}

void addString(zkId e, zkId input, int32_t, const zkText *text)
{
    auto i = get<InkInput>(e, input);
    std::string s = textOf(text);
    if (i && !s.empty())
        i->addText(s);
}

void guideBox(zkId e, zkId input, float x, float y, float w, float h)
{
    if (auto i = get<InkInput>(e, input))
        i->setGuide({x, y, x + w, y + h});
}

void addStroke(zkId e, zkId input, const float *x, int32_t xs, const float *y, int32_t ys,
               int32_t n)
{
    if (auto i = get<InkInput>(e, input))
        i->addStroke(x, xs, y, ys, n);
}

void addCharacter(zkId e, zkId input, zkId character, float x, float y, float w, float h)
{
    auto i = get<InkInput>(e, input);
    auto c = get<CharacterObject>(e, character);
    if (i && c && !c->candidates().empty())
        i->addCharacter(c->candidates(), {x, y, x + w, y + h});
}

// 163, 164
void bindInput(zkId e, zkId recognizer, zkId input)
{
    auto r = get<RecognizerObject>(e, recognizer);
    if (r)
        r->bind(get<InkInput>(e, input));
}

int32_t runObject(zkId e, zkId object, zkProgressFn progress, void *context)
{
    if (auto r = get<RecognizerObject>(e, object)) {
        auto charset = std::dynamic_pointer_cast<const CharsetObject>(Registry::instance().charset(e));
        return r->run(progress, context, charset);
    }
    if (auto t = get<TrainerObject>(e, object))
        return t->run(progress, context);
    return 0;
}

// 165
int32_t inkStrokes(zkId e, zkId ink)
{
    auto i = get<InkObject>(e, ink);
    return i ? int32_t(i->strokes().size()) : 0;
}

int32_t inkPoints(zkId e, zkId ink, int32_t stroke)
{
    auto i = get<InkObject>(e, ink);
    if (!i || stroke < 0 || size_t(stroke) >= i->strokes().size())
        return 0;
    return int32_t(i->strokes()[size_t(stroke)].size());
}

int32_t inkCoordinates(zkId e, zkId ink, int32_t stroke, float *out, int32_t capacity, bool x)
{
    auto i = get<InkObject>(e, ink);
    if (!i || !out || capacity <= 0 || stroke < 0 || size_t(stroke) >= i->strokes().size())
        return 0;
    const InkStroke &s = i->strokes()[size_t(stroke)];
    int32_t n = std::min(capacity, int32_t(s.size()));
    for (int32_t k = 0; k < n; ++k)
        out[k] = x ? s[size_t(k)].x : s[size_t(k)].y;
    return n;
}

int32_t inkX(zkId e, zkId ink, int32_t stroke, float *out, int32_t capacity)
{
    return inkCoordinates(e, ink, stroke, out, capacity, true);
}

int32_t inkY(zkId e, zkId ink, int32_t stroke, float *out, int32_t capacity)
{
    return inkCoordinates(e, ink, stroke, out, capacity, false);
}

// 166
void addCandidate(zkId e, zkId character, int32_t, const zkText *label, float score)
{
    auto c = get<CharacterObject>(e, character);
    std::string s = textOf(label);
    if (c && !s.empty())
        c->addCandidate(s, score);
}

// 351, 352
int32_t addWord(zkId e, zkId lexicon, int32_t, const zkText *word)
{
    auto l = get<LexiconObject>(e, lexicon);
    return l && l->addWord(textOf(word));
}

int32_t prepareKnowledge(zkId e, zkId knowledge)
{
    auto k = get<KnowledgeObject>(e, knowledge);
    return k && k->prepare();
}

int32_t addEntry(zkId e, zkId knowledge, int32_t, const zkText *entry)
{
    auto k = get<KnowledgeObject>(e, knowledge);
    return k && k->addEntry(textOf(entry));
}

// 354
zkId textCandidates(zkId e, zkId result)
{
    auto r = get<ResultObject>(e, result);
    if (!r)
        return 0;
    return handOut(e, std::make_shared<CandidateIterator>(r->tree(), &r->tree()->text.candidates));
}

// 355
int32_t candidateLabel(zkId e, zkId it, int32_t, zkBuffer *buffer)
{
    auto c = get<CandidateIterator>(e, it);
    const ResultCandidate *candidate = c ? c->current() : nullptr;
    return fill(buffer, candidate ? candidate->label : std::string());
}

float candidateScore(zkId e, zkId it)
{
    auto c = get<CandidateIterator>(e, it);
    const ResultCandidate *candidate = c ? c->current() : nullptr;
    return candidate ? candidate->score : 0.0f;
}

zkId candidateChildren(zkId e, zkId it)
{
    auto c = get<CandidateIterator>(e, it);
    const ResultCandidate *candidate = c ? c->current() : nullptr;
    if (!candidate)
        return 0;
    return handOut(e, std::make_shared<SegmentIterator>(c->tree(), &candidate->children));
}

// 356
int32_t segmentInk(zkId e, zkId it, zkInkRecords *records)
{
    auto s = get<SegmentIterator>(e, it);
    const ResultSegment *segment = s ? s->current() : nullptr;
    if (!records)
        return 0;
    size_t have = segment ? segment->ink.size() : 0;
    if (!records->records) {
        records->count = uint32_t(have);
        return int32_t(have);
    }
    uint32_t n = std::min<uint32_t>(records->count, uint32_t(have));
    if (n)
        std::memcpy(records->records, segment->ink.data(), n * sizeof(zkInkRecord));
    records->count = n;
    return int32_t(n);
}

int32_t segmentSelected(zkId e, zkId it)
{
    auto s = get<SegmentIterator>(e, it);
    const ResultSegment *segment = s ? s->current() : nullptr;
    return segment ? segment->selected : 0;
}

float segmentUnitValue(zkId e, zkId it)
{
    auto s = get<SegmentIterator>(e, it);
    return s && s->current() ? 1.0f : 0.0f;
}

zkId segmentCandidates(zkId e, zkId it)
{
    auto s = get<SegmentIterator>(e, it);
    const ResultSegment *segment = s ? s->current() : nullptr;
    if (!segment)
        return 0;
    return handOut(e, std::make_shared<CandidateIterator>(s->tree(), &segment->candidates));
}

// 401, 402
zkId recognizerResult(zkId e, zkId recognizer)
{
    auto r = get<RecognizerObject>(e, recognizer);
    if (!r || !r->result())
        return 0;
    return handOut(e, std::make_shared<ResultObject>(r->result()));
}

zkId trainedResource(zkId e, zkId trainer)
{
    auto t = get<TrainerObject>(e, trainer);
    return t ? handOut(e, t->trained()) : 0;
}

// 1520
int32_t sampleCount(zkId e, zkId set)
{
    auto s = get<TrainingSetObject>(e, set);
    return s ? int32_t(s->samples().size()) : 0;
}

int32_t addSample(zkId e, zkId set, zkId input, int32_t, const zkText *label)
{
    auto s = get<TrainingSetObject>(e, set);
    auto i = get<InkInput>(e, input);
    return s && i && s->add(textOf(label), i->penStrokes());
}

int32_t removeSample(zkId e, zkId set, int64_t index)
{
    auto s = get<TrainingSetObject>(e, set);
    return s && s->remove(index);
}

const TrainingSample *sampleAt(zkId e, zkId set, int64_t index)
{
    auto s = get<TrainingSetObject>(e, set);
    if (!s || index < 0 || uint64_t(index) >= s->samples().size())
        return nullptr;
    return &s->samples()[size_t(index)];
}

zkId sampleInk(zkId e, zkId set, int64_t index)
{
    const TrainingSample *s = sampleAt(e, set, index);
    return s ? handOut(e, std::make_shared<InkObject>(s->ink)) : 0;
}

int32_t sampleLabel(zkId e, zkId set, int64_t index, int32_t, zkBuffer *buffer)
{
    const TrainingSample *s = sampleAt(e, set, index);
    return fill(buffer, s ? s->label : std::string());
}

template <class F>
zkOperation op(F f)
{
    return reinterpret_cast<zkOperation>(f);
}

struct Table {
    zkOperation slots[ZK_INTERFACE_SLOTS];
    std::set<uint32_t> types;
};

Table makeTable(std::initializer_list<std::pair<int, zkOperation>> ops,
                std::set<uint32_t> types)
{
    Table t;
    for (zkOperation &s : t.slots)
        s = op(&nothing);
    for (const auto &o : ops)
        t.slots[o.first] = o.second;
    t.types = std::move(types);
    return t;
}

const std::map<uint32_t, Table> &tables()
{
    static const std::set<uint32_t> recognizers{ZK_TYPE_RECOGNIZER, ZK_TYPE_CALC_RECOGNIZER};
    static const std::set<uint32_t> inputs{ZK_TYPE_INK_INPUT, ZK_TYPE_CALC_INK_INPUT};
    static const std::map<uint32_t, Table> all{
        {ZK_IF_ITERATOR, makeTable({{0, op(&atEnd)}, {1, op(&next)}},
                                   {ZK_TYPE_CANDIDATES, ZK_TYPE_SEGMENTS})},
        {ZK_IF_RESOURCES, makeTable({{0, op(&attach)}, {1, op(&detach)}, {2, op(&resourceCount)},
                                     {3, op(&resourceAt)}},
                                    {ZK_TYPE_RECOGNIZER, ZK_TYPE_CALC_RECOGNIZER, ZK_TYPE_TRAINER})},
        {ZK_IF_LEXICON_FINISH, makeTable({{1, op(&finishLexicon)}}, {ZK_TYPE_LEXICON})},
        {ZK_IF_CALC_RESET, makeTable({{0, op(&clearInput)}}, inputs)},
        {ZK_IF_CALC_INPUT, makeTable({{0, op(&clearInput)}, {9, op(&addStroke)}}, inputs)},
        {ZK_IF_INPUT, makeTable({{0, op(&clearInput)}, {2, op(&startUnit)}, {4, op(&addString)},
                                 {6, op(&guideBox)}, {13, op(&addStroke)}, {15, op(&addCharacter)}},
                                inputs)},
        {ZK_IF_BIND, makeTable({{1, op(&bindInput)}}, recognizers)},
        {ZK_IF_RUN, makeTable({{0, op(&runObject)}},
                              {ZK_TYPE_RECOGNIZER, ZK_TYPE_CALC_RECOGNIZER, ZK_TYPE_TRAINER})},
        {ZK_IF_INK, makeTable({{1, op(&inkStrokes)}, {2, op(&inkPoints)}, {3, op(&inkX)},
                               {4, op(&inkY)}},
                              {ZK_TYPE_INK})},
        {ZK_IF_CHARACTER, makeTable({{1, op(&addCandidate)}}, {ZK_TYPE_CHARACTER})},
        {ZK_IF_LEXICON, makeTable({{0, op(&addWord)}}, {ZK_TYPE_LEXICON})},
        {ZK_IF_KNOWLEDGE, makeTable({{1, op(&prepareKnowledge)}, {4, op(&addEntry)}},
                                    {ZK_TYPE_KNOWLEDGE})},
        {ZK_IF_RESULT, makeTable({{1, op(&textCandidates)}}, {ZK_TYPE_RESULT})},
        {ZK_IF_CANDIDATES, makeTable({{0, op(&atEnd)}, {1, op(&next)}, {2, op(&candidateLabel)},
                                      {3, op(&candidateScore)}, {4, op(&candidateChildren)}},
                                     {ZK_TYPE_CANDIDATES})},
        {ZK_IF_SEGMENTS, makeTable({{0, op(&atEnd)}, {1, op(&next)}, {2, op(&segmentInk)},
                                    {3, op(&segmentSelected)}, {4, op(&segmentUnitValue)},
                                    {5, op(&segmentCandidates)}},
                                   {ZK_TYPE_SEGMENTS})},
        {ZK_IF_RECOGNIZER_RESULT, makeTable({{0, op(&recognizerResult)}}, recognizers)},
        {ZK_IF_TRAINED, makeTable({{0, op(&trainedResource)}}, {ZK_TYPE_TRAINER})},
        {ZK_IF_TRAINING_SET, makeTable({{0, op(&sampleCount)}, {1, op(&addSample)},
                                        {2, op(&removeSample)}, {3, op(&sampleInk)},
                                        {4, op(&sampleLabel)}},
                                       {ZK_TYPE_TRAINING_SET})},
    };
    return all;
}

} // namespace

const zkOperation *Interfaces::table(uint32_t number)
{
    auto it = tables().find(number);
    return it == tables().end() ? nullptr : it->second.slots;
}

bool Interfaces::implements(uint32_t type, uint32_t number)
{
    auto it = tables().find(number);
    return it != tables().end() && it->second.types.count(type);
}

} // namespace zk
