#include "recordingengine.h"

#include <QHash>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

using Candidates = QList<ScriptedCandidate>;
using Segments = QList<ScriptedSegment>;

struct Object
{
    uint32_t type = 0;
    int refs = 1;
    QByteArray data;
    QString label;
    std::shared_ptr<const Candidates> tree;
    const Candidates *candidates = nullptr;
    const Segments *segments = nullptr;
    int index = 0;
    QList<zkId> attached;
};

struct State
{
    QMutex mutex;
    QHash<zkId, Object> objects;
    zkId nextId = 1;
    QStringList calls;
    std::shared_ptr<const Candidates> result;
    QList<zkLineMetrics> lines;
    int progressCalls = 1;
    std::atomic<bool> runStarted{false};
    QList<uint32_t> failingTypes;
    QByteArray refusedHead;
    bool failLoads = false;
};

State &state()
{
    static State s;
    return s;
}

void record(const QString &call)
{
    state().calls.append(call);
}

zkId newObject(Object o)
{
    State &s = state();
    const zkId id = s.nextId++;
    s.objects.insert(id, std::move(o));
    return id;
}

Object *object(zkId id)
{
    auto it = state().objects.find(id);
    return it == state().objects.end() ? nullptr : &*it;
}

QString typeOf(zkId id)
{
    const Object *o = object(id);
    return QString::number(o ? o->type : 0);
}

void releaseObject(zkId id)
{
    Object *o = object(id);
    if (!o)
        return;
    if (--o->refs > 0)
        return;
    const QList<zkId> attached = o->attached;
    state().objects.remove(id);
    for (zkId a : attached)
        releaseObject(a);
}

QString text(const zkText *t)
{
    return t ? QString::fromUtf8(t->bytes, int(t->count)) : QString();
}

zkId newIterator(uint32_t type, const std::shared_ptr<const Candidates> &tree,
                 const Candidates *candidates, const Segments *segments)
{
    Object o;
    o.type = type;
    o.tree = tree;
    o.candidates = candidates;
    o.segments = segments;
    return newObject(o);
}

const ScriptedCandidate *currentCandidate(zkId it)
{
    const Object *o = object(it);
    if (!o || !o->candidates || o->index >= o->candidates->size())
        return nullptr;
    return &o->candidates->at(o->index);
}

const ScriptedSegment *currentSegment(zkId it)
{
    const Object *o = object(it);
    if (!o || !o->segments || o->index >= o->segments->size())
        return nullptr;
    return &o->segments->at(o->index);
}

// ---- operations (engine argument first) ----

int32_t atEnd(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    const Object *o = object(it);
    if (!o)
        return 1;
    const int size = o->candidates ? o->candidates->size() : o->segments->size();
    return o->index >= size;
}

void next(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    if (Object *o = object(it))
        ++o->index;
}

int32_t attach(zkId, zkId target, zkId resource)
{
    QMutexLocker l(&state().mutex);
    Object *r = object(resource);
    Object *t = object(target);
    record(QStringLiteral("attach ") + typeOf(resource));
    if (!r || !t)
        return 0;
    if (!state().refusedHead.isEmpty() && r->data.startsWith(state().refusedHead))
        return 0;
    ++r->refs;
    t->attached.append(resource);
    return 1;
}

void detach(zkId, zkId target, zkId resource)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("detach ") + typeOf(resource));
    Object *t = object(target);
    if (t && t->attached.removeOne(resource))
        releaseObject(resource);
}

uint32_t count(zkId, zkId target)
{
    QMutexLocker l(&state().mutex);
    const Object *t = object(target);
    return t ? uint32_t(t->attached.size()) : 0;
}

zkId get(zkId, zkId target, uint32_t index)
{
    QMutexLocker l(&state().mutex);
    const Object *t = object(target);
    if (!t || index >= uint32_t(t->attached.size()))
        return 0;
    const zkId r = t->attached.at(int(index));
    ++object(r)->refs;
    return r;
}

int32_t finish(zkId, zkId, int32_t, int32_t)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("finish"));
    return 1;
}

void clearInput(zkId, zkId, int32_t)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("clear"));
}

void startUnit(zkId, zkId, zkId kind)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("unit %1").arg(kind, 0, 16));
}

void addString(zkId, zkId, int32_t, const zkText *t)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("string ") + text(t));
}

QString box(float x, float y, float w, float h)
{
    return QStringLiteral("%1 %2 %3 %4").arg(x).arg(y).arg(w).arg(h);
}

void guideBox(zkId, zkId, float x, float y, float w, float h)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("guide ") + box(x, y, w, h));
}

void addStroke(zkId, zkId, const float *x, int32_t, const float *y, int32_t, int32_t n)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("stroke %1 %2,%3").arg(n).arg(n ? x[0] : 0).arg(n ? y[0] : 0));
}

void addCharacter(zkId, zkId, zkId character, float x, float y, float w, float h)
{
    QMutexLocker l(&state().mutex);
    const Object *c = object(character);
    record(QStringLiteral("char %1 ").arg(c ? c->label : QString()) + box(x, y, w, h));
}

void bind(zkId, zkId, zkId)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("bind"));
}

int32_t run(zkId, zkId recognizer, zkProgressFn progress, void *context)
{
    int calls;
    {
        QMutexLocker l(&state().mutex);
        record(QStringLiteral("run"));
        calls = state().progressCalls;
        Object *r = object(recognizer);
        if (r)
            r->tree = state().result;
    }
    state().runStarted = true;
    for (int i = 0; i < calls; ++i) {
        if (!progress(i, calls, context))
            return 0;
        if (calls > 1)
            QThread::msleep(1);
    }
    return 1;
}

void addCandidate(zkId, zkId character, int32_t, const zkText *label, float)
{
    QMutexLocker l(&state().mutex);
    if (Object *c = object(character))
        c->label = text(label);
}

int32_t addWord(zkId, zkId, int32_t, const zkText *word)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("word ") + text(word));
    return word && word->count > 0;
}

int32_t prepare(zkId, zkId)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("prepare"));
    return 1;
}

int32_t addEntry(zkId, zkId, int32_t, const zkText *entry)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("entry ")
           + QString::fromLatin1(QByteArray(entry->bytes, int(entry->count)).toHex()));
    return 1;
}

zkId recognizerResult(zkId, zkId recognizer)
{
    QMutexLocker l(&state().mutex);
    const Object *r = object(recognizer);
    if (!r || !r->tree)
        return 0;
    Object o;
    o.type = ZK_TYPE_RESULT;
    o.tree = r->tree;
    return newObject(o);
}

zkId resultCandidates(zkId, zkId result)
{
    QMutexLocker l(&state().mutex);
    const Object *r = object(result);
    if (!r)
        return 0;
    return newIterator(ZK_TYPE_CANDIDATES, r->tree, r->tree.get(), nullptr);
}

int32_t label(zkId, zkId it, int32_t, zkBuffer *buffer)
{
    QMutexLocker l(&state().mutex);
    const ScriptedCandidate *c = currentCandidate(it);
    const QByteArray bytes = c ? c->label.toUtf8() : QByteArray();
    if (!buffer->bytes) {
        buffer->count = uint32_t(bytes.size());
        return int32_t(buffer->count);
    }
    const uint32_t n = qMin(buffer->count, uint32_t(bytes.size()));
    memcpy(buffer->bytes, bytes.constData(), n);
    if (n < buffer->count)
        buffer->bytes[n] = 0;
    buffer->count = n;
    return int32_t(n);
}

float score(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    const ScriptedCandidate *c = currentCandidate(it);
    return c ? c->score : 0.0f;
}

zkId children(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    const ScriptedCandidate *c = currentCandidate(it);
    if (!c)
        return 0;
    return newIterator(ZK_TYPE_SEGMENTS, object(it)->tree, nullptr, &c->children);
}

int32_t inkRanges(zkId, zkId it, zkInkRecords *records)
{
    QMutexLocker l(&state().mutex);
    const ScriptedSegment *s = currentSegment(it);
    const int n = s ? s->ink.size() : 0;
    if (!records->records) {
        records->count = uint32_t(n);
        return n;
    }
    const int m = qMin(n, int(records->count));
    for (int i = 0; i < m; ++i)
        records->records[i] = s->ink.at(i);
    records->count = uint32_t(m);
    return m;
}

int32_t selected(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    const ScriptedSegment *s = currentSegment(it);
    return s ? s->selected : 0;
}

zkId segmentCandidates(zkId, zkId it)
{
    QMutexLocker l(&state().mutex);
    const ScriptedSegment *s = currentSegment(it);
    if (!s)
        return 0;
    return newIterator(ZK_TYPE_CANDIDATES, object(it)->tree, &s->candidates, nullptr);
}

template <typename F>
zkOperation op(F f)
{
    return reinterpret_cast<zkOperation>(f);
}

struct Tables
{
    zkOperation iterator[ZK_INTERFACE_SLOTS] = {op(atEnd), op(next)};
    zkOperation resources[ZK_INTERFACE_SLOTS] = {op(attach), op(detach), op(count), op(get)};
    zkOperation lexiconFinish[ZK_INTERFACE_SLOTS] = {nullptr, op(finish)};
    zkOperation input[ZK_INTERFACE_SLOTS] = {op(clearInput), nullptr, op(startUnit), nullptr,
                                             op(addString), nullptr, op(guideBox)};
    zkOperation bindTable[ZK_INTERFACE_SLOTS] = {nullptr, op(bind)};
    zkOperation runTable[ZK_INTERFACE_SLOTS] = {op(run)};
    zkOperation character[ZK_INTERFACE_SLOTS] = {nullptr, op(addCandidate)};
    zkOperation lexicon[ZK_INTERFACE_SLOTS] = {op(addWord)};
    zkOperation knowledge[ZK_INTERFACE_SLOTS] = {nullptr, op(prepare), nullptr, nullptr,
                                                 op(addEntry)};
    zkOperation result[ZK_INTERFACE_SLOTS] = {nullptr, op(resultCandidates)};
    zkOperation candidates[ZK_INTERFACE_SLOTS] = {op(atEnd), op(next), op(label), op(score),
                                                  op(children)};
    zkOperation segments[ZK_INTERFACE_SLOTS] = {op(atEnd), op(next), op(inkRanges),
                                                op(selected), nullptr, op(segmentCandidates)};
    zkOperation recognizer[ZK_INTERFACE_SLOTS] = {op(recognizerResult)};

    Tables()
    {
        input[13] = op(addStroke);
        input[15] = op(addCharacter);
    }
};

const Tables tables;

} // namespace

namespace RecordingEngine {

void reset()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    s.calls.clear();
    s.result.reset();
    s.lines.clear();
    s.progressCalls = 1;
    s.runStarted = false;
    s.failingTypes.clear();
    s.refusedHead.clear();
    s.failLoads = false;
}

QStringList calls()
{
    QMutexLocker l(&state().mutex);
    return state().calls;
}

void setResult(const QList<ScriptedCandidate> &text)
{
    QMutexLocker l(&state().mutex);
    state().result = std::make_shared<const Candidates>(text);
}

void setLineMetrics(const QList<zkLineMetrics> &lines)
{
    QMutexLocker l(&state().mutex);
    state().lines = lines;
}

void setProgressCalls(int count)
{
    QMutexLocker l(&state().mutex);
    state().progressCalls = count;
}

bool runStarted()
{
    return state().runStarted;
}

void failCreate(uint32_t type)
{
    QMutexLocker l(&state().mutex);
    state().failingTypes.append(type);
}

void refuseResource(const QByteArray &head)
{
    QMutexLocker l(&state().mutex);
    state().refusedHead = head;
}

void failLoads(bool fail)
{
    QMutexLocker l(&state().mutex);
    state().failLoads = fail;
}

int liveObjects()
{
    QMutexLocker l(&state().mutex);
    return state().objects.size();
}

} // namespace RecordingEngine

extern "C" {

zkId zkCreateEngine(uint32_t version, const void *, uint32_t)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("engine %1").arg(version, 0, 16));
    return version == ZK_ENGINE_VERSION ? 7 : 0;
}

void zkDestroyEngine(zkId)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("destroy"));
}

int32_t zkGetError(zkId) { return 0; }
void zkSetError(zkId, int32_t) {}

const zkOperation *zkGetInterface(zkId, uint32_t number)
{
    switch (number) {
    case ZK_IF_ITERATOR: return tables.iterator;
    case ZK_IF_RESOURCES: return tables.resources;
    case ZK_IF_LEXICON_FINISH: return tables.lexiconFinish;
    case ZK_IF_INPUT: return tables.input;
    case ZK_IF_BIND: return tables.bindTable;
    case ZK_IF_RUN: return tables.runTable;
    case ZK_IF_CHARACTER: return tables.character;
    case ZK_IF_LEXICON: return tables.lexicon;
    case ZK_IF_KNOWLEDGE: return tables.knowledge;
    case ZK_IF_RESULT: return tables.result;
    case ZK_IF_CANDIDATES: return tables.candidates;
    case ZK_IF_SEGMENTS: return tables.segments;
    case ZK_IF_RECOGNIZER_RESULT: return tables.recognizer;
    default: return nullptr;
    }
}

int32_t zkImplements(zkId, zkId, uint32_t) { return 0; }
int32_t zkIsCompatible(zkId, uint32_t version) { return version == ZK_ENGINE_VERSION; }
int32_t zkGetTypeProperty(zkId, uint32_t, uint32_t, void *, uint32_t) { return 0; }

int32_t zkSetTypeProperty(zkId, uint32_t type, uint32_t property, const void *value,
                          uint32_t size)
{
    QMutexLocker l(&state().mutex);
    zkId v = 0;
    memcpy(&v, value, qMin<uint32_t>(size, sizeof v));
    record(QStringLiteral("typeprop %1 %2 %3").arg(type).arg(property).arg(typeOf(v)));
    return int32_t(size);
}

zkId zkCreateObject(zkId, uint32_t type)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("create %1").arg(type));
    if (state().failingTypes.contains(type))
        return 0;
    Object o;
    o.type = type;
    return newObject(o);
}

zkId zkCreateObjectEx(zkId engine, uint32_t type, const void *, uint32_t)
{
    return zkCreateObject(engine, type);
}

zkId zkLoadObject(zkId, zkStreamFn read, void *userData)
{
    QByteArray data;
    char buffer[256];
    int32_t n;
    while ((n = read(buffer, sizeof buffer, userData)) > 0)
        data.append(buffer, n);
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("load ") + QString::fromUtf8(data.trimmed()));
    if (data.isEmpty() || n < 0 || state().failLoads)
        return 0;
    Object o;
    o.type = data.startsWith("charset") ? ZK_TYPE_CHARSET : ZK_TYPE_RESOURCE;
    o.data = data;
    return newObject(o);
}

zkId zkMakeObject(zkId, const void *, uint32_t) { return 0; }

int32_t zkStoreObject(zkId, zkId object, zkStreamFn write, void *userData, uint32_t)
{
    QByteArray data;
    {
        QMutexLocker l(&state().mutex);
        const Object *o = ::object(object);
        if (!o)
            return 0;
        data = o->data;
    }
    return write(data.data(), int32_t(data.size()), userData) == data.size();
}

zkId zkAcquireObject(zkId, zkId object)
{
    QMutexLocker l(&state().mutex);
    Object *o = ::object(object);
    if (!o)
        return 0;
    ++o->refs;
    return object;
}

void zkReleaseObject(zkId, zkId object)
{
    QMutexLocker l(&state().mutex);
    record(QStringLiteral("release ") + typeOf(object));
    releaseObject(object);
}

int32_t zkIsSame(zkId, zkId a, zkId b) { return a == b; }

uint32_t zkGetType(zkId, zkId object)
{
    QMutexLocker l(&state().mutex);
    const Object *o = ::object(object);
    return o ? o->type : 0;
}

int32_t zkGetProperty(zkId, zkId, uint32_t, void *, uint32_t) { return 0; }

int32_t zkSetProperty(zkId, zkId, uint32_t property, const void *value, uint32_t size)
{
    QMutexLocker l(&state().mutex);
    qint32 v = 0;
    if (size == 1)
        v = *static_cast<const quint8 *>(value);
    else
        memcpy(&v, value, qMin<uint32_t>(size, sizeof v));
    record(QStringLiteral("prop %1 %2 %3").arg(property, 0, 16).arg(v).arg(size));
    return int32_t(size);
}

int32_t zkGetLineMetrics(zkId, zkId, zkLineMetrics *out, int32_t capacity)
{
    QMutexLocker l(&state().mutex);
    const QList<zkLineMetrics> &lines = state().lines;
    for (int i = 0; out && i < qMin(capacity, int32_t(lines.size())); ++i)
        out[i] = lines.at(i);
    return int32_t(lines.size());
}

int32_t zkLiveObjectCount(void)
{
    return RecordingEngine::liveObjects();
}

} // extern "C"
