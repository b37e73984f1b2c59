#pragma once

// Drives libInkoraEngine.so through its C interface, loaded by name as the program does.
#include "engine/zkengine.h"

#include <QFile>
#include <QLibrary>
#include <QList>
#include <QPointF>
#include <QResource>
#include <QString>
#include <QStringList>
#include <QVector>

struct EngineApi {
    decltype(&zkCreateEngine) createEngine = nullptr;
    decltype(&zkDestroyEngine) destroyEngine = nullptr;
    decltype(&zkGetError) getError = nullptr;
    decltype(&zkSetError) setError = nullptr;
    decltype(&zkGetInterface) getInterface = nullptr;
    decltype(&zkImplements) implements = nullptr;
    decltype(&zkIsCompatible) isCompatible = nullptr;
    decltype(&zkGetTypeProperty) getTypeProperty = nullptr;
    decltype(&zkSetTypeProperty) setTypeProperty = nullptr;
    decltype(&zkCreateObject) createObject = nullptr;
    decltype(&zkCreateObjectEx) createObjectEx = nullptr;
    decltype(&zkLoadObject) loadObject = nullptr;
    decltype(&zkMakeObject) makeObject = nullptr;
    decltype(&zkStoreObject) storeObject = nullptr;
    decltype(&zkAcquireObject) acquireObject = nullptr;
    decltype(&zkReleaseObject) releaseObject = nullptr;
    decltype(&zkIsSame) isSame = nullptr;
    decltype(&zkGetType) getType = nullptr;
    decltype(&zkGetProperty) getProperty = nullptr;
    decltype(&zkSetProperty) setProperty = nullptr;
    decltype(&zkLiveObjectCount) liveObjects = nullptr;
    decltype(&zkGetLineMetrics) lineMetrics = nullptr;
};

// One recognised node: label and score, children one level down.
struct Node {
    QString label;
    float score = 0;
    int selected = 0;           // of the segment this candidate belongs to
    QVector<zkInkRecord> ink;   // of that segment
    QList<QList<Node>> children; // child segments, each its candidates
};

inline int32_t readDevice(void *buffer, int32_t size, void *device)
{
    return int32_t(static_cast<QIODevice *>(device)->read(static_cast<char *>(buffer), size));
}

inline int32_t writeDevice(void *buffer, int32_t size, void *device)
{
    return int32_t(static_cast<QIODevice *>(device)->write(static_cast<const char *>(buffer), size));
}

class EngineDriver
{
public:
    static const QStringList &entryPointNames()
    {
        static const QStringList names{
            "zkCreateEngine", "zkDestroyEngine", "zkGetError", "zkSetError", "zkGetInterface",
            "zkImplements", "zkIsCompatible", "zkGetTypeProperty", "zkSetTypeProperty",
            "zkCreateObject", "zkCreateObjectEx", "zkLoadObject", "zkMakeObject",
            "zkStoreObject", "zkAcquireObject", "zkReleaseObject", "zkIsSame", "zkGetType",
            "zkGetProperty", "zkSetProperty"};
        return names;
    }

    bool bind()
    {
        library.setFileName(QString(SCRIVEL_BIN_DIR) + "/libInkoraEngine.so");
        if (!library.load())
            return false;
        void **targets[] = {
            reinterpret_cast<void **>(&api.createEngine), reinterpret_cast<void **>(&api.destroyEngine),
            reinterpret_cast<void **>(&api.getError), reinterpret_cast<void **>(&api.setError),
            reinterpret_cast<void **>(&api.getInterface), reinterpret_cast<void **>(&api.implements),
            reinterpret_cast<void **>(&api.isCompatible), reinterpret_cast<void **>(&api.getTypeProperty),
            reinterpret_cast<void **>(&api.setTypeProperty), reinterpret_cast<void **>(&api.createObject),
            reinterpret_cast<void **>(&api.createObjectEx), reinterpret_cast<void **>(&api.loadObject),
            reinterpret_cast<void **>(&api.makeObject), reinterpret_cast<void **>(&api.storeObject),
            reinterpret_cast<void **>(&api.acquireObject), reinterpret_cast<void **>(&api.releaseObject),
            reinterpret_cast<void **>(&api.isSame), reinterpret_cast<void **>(&api.getType),
            reinterpret_cast<void **>(&api.getProperty), reinterpret_cast<void **>(&api.setProperty)};
        for (int i = 0; i < entryPointNames().size(); ++i) {
            *targets[i] = reinterpret_cast<void *>(library.resolve(entryPointNames()[i].toLatin1()));
            if (!*targets[i])
                return false;
        }
        api.liveObjects = reinterpret_cast<decltype(api.liveObjects)>(library.resolve("zkLiveObjectCount"));
        api.lineMetrics = reinterpret_cast<decltype(api.lineMetrics)>(library.resolve("zkGetLineMetrics"));
        return api.liveObjects && api.lineMetrics;
    }

    bool start()
    {
        engine = api.createEngine(ZK_ENGINE_VERSION, "creation", 0);
        return engine != 0;
    }

    void stop()
    {
        if (engine)
            api.destroyEngine(engine);
        engine = 0;
    }

    template <class F>
    F op(uint32_t interfaceNumber, int operation) const
    {
        const zkOperation *table = api.getInterface(engine, interfaceNumber);
        return table ? reinterpret_cast<F>(table[operation]) : nullptr;
    }

    zkId load(const QString &path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return api.loadObject(engine, readDevice, &file);
    }

    // Loads one file of a language package (an .rcc resource of the build).
    zkId loadPackaged(const QString &package, const QString &file) const
    {
        const QString rcc = QString(SCRIVEL_BIN_DIR) + "/resources/" + package;
        if (!QResource::registerResource(rcc, "/data/languages/"))
            return 0;
        zkId object = load(":/data/languages/" + file);
        QResource::unregisterResource(rcc, "/data/languages/");
        return object;
    }

    bool store(const QString &path, zkId object) const
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        return api.storeObject(engine, object, writeDevice, &file, 0) != 0;
    }

    void release(zkId object) const { api.releaseObject(engine, object); }

    bool attach(zkId target, zkId resource) const
    {
        bool ok = op<zkOpAttach>(ZK_IF_RESOURCES, 0)(engine, target, resource);
        release(resource);
        return ok;
    }

    void detachAll(zkId target) const
    {
        while (op<zkOpCount>(ZK_IF_RESOURCES, 2)(engine, target) > 0) {
            zkId r = op<zkOpGet>(ZK_IF_RESOURCES, 3)(engine, target, 0);
            op<zkOpDetach>(ZK_IF_RESOURCES, 1)(engine, target, r);
            release(r);
        }
    }

    void startUnit(zkId input, zkId kind) const { op<zkOpStartUnit>(ZK_IF_INPUT, 2)(engine, input, kind); }

    void addStroke(zkId input, const QList<QPointF> &points) const
    {
        QVector<float> x, y;
        for (const QPointF &p : points) {
            x << float(p.x());
            y << float(p.y());
        }
        op<zkOpAddStroke>(ZK_IF_INPUT, 13)(engine, input, x.data(), 4, y.data(), 4, int32_t(x.size()));
    }

    void addString(zkId input, const QString &text) const
    {
        QByteArray utf8 = text.toUtf8();
        zkText t{utf8.constData(), uint32_t(utf8.size())};
        op<zkOpAddString>(ZK_IF_INPUT, 4)(engine, input, 0, &t);
    }

    bool run(zkId object, zkProgressFn progress = nullptr, void *context = nullptr) const
    {
        return op<zkOpRun>(ZK_IF_RUN, 0)(engine, object, progress, context);
    }

    QString label(zkId candidates) const
    {
        zkBuffer b{nullptr, 0};
        op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(engine, candidates, 0, &b);
        QByteArray bytes(int(b.count) + 1, '\0');
        b.bytes = bytes.data();
        b.count = uint32_t(bytes.size());
        op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(engine, candidates, 0, &b);
        return QString::fromUtf8(bytes.constData(), int(b.count));
    }

    // The candidates of a candidate iterator, with their subtrees; releases the iterator.
    QList<Node> candidates(zkId iterator, int selected, const QVector<zkInkRecord> &ink) const
    {
        QList<Node> out;
        while (iterator && !op<zkOpAtEnd>(ZK_IF_CANDIDATES, 0)(engine, iterator)) {
            Node n;
            n.label = label(iterator);
            n.score = op<zkOpScore>(ZK_IF_CANDIDATES, 3)(engine, iterator);
            n.selected = selected;
            n.ink = ink;
            zkId segments = op<zkOpObject>(ZK_IF_CANDIDATES, 4)(engine, iterator);
            while (segments && !op<zkOpAtEnd>(ZK_IF_SEGMENTS, 0)(engine, segments)) {
                zkInkRecords records{nullptr, 0};
                op<zkOpInkRanges>(ZK_IF_SEGMENTS, 2)(engine, segments, &records);
                QVector<zkInkRecord> r(int(records.count));
                records.records = r.data();
                op<zkOpInkRanges>(ZK_IF_SEGMENTS, 2)(engine, segments, &records);
                int sel = op<zkOpSelected>(ZK_IF_SEGMENTS, 3)(engine, segments);
                n.children << candidates(op<zkOpObject>(ZK_IF_SEGMENTS, 5)(engine, segments), sel, r);
                op<zkOpNext>(ZK_IF_SEGMENTS, 1)(engine, segments);
            }
            release(segments);
            out << n;
            op<zkOpNext>(ZK_IF_CANDIDATES, 1)(engine, iterator);
        }
        release(iterator);
        return out;
    }

    // The text candidates of the recognizer's last result.
    QList<Node> result(zkId recognizer) const
    {
        zkId r = op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(engine, recognizer);
        if (!r)
            return {};
        zkId c = op<zkOpObject>(ZK_IF_RESULT, 1)(engine, r);
        release(r);
        return candidates(c, 0, {});
    }

    // Labels of the words of the first text candidate, each word's candidates joined by tabs.
    static QStringList words(const QList<Node> &text)
    {
        QStringList out;
        if (text.isEmpty())
            return out;
        for (const QList<Node> &word : text.first().children) {
            QStringList labels;
            for (const Node &n : word)
                labels << n.label;
            out << labels.join('\t');
        }
        return out;
    }

    QLibrary library;
    EngineApi api;
    zkId engine = 0;
};
