#pragma once

#include "engine/zkengine.h"
#include "platform/wintypes.h"

#include <QString>

// The engine library's entry points, in binding order.
struct EngineEntryPoints
{
    decltype(&::zkCreateEngine) zkCreateEngine = nullptr;
    decltype(&::zkDestroyEngine) zkDestroyEngine = nullptr;
    decltype(&::zkGetError) zkGetError = nullptr;
    decltype(&::zkSetError) zkSetError = nullptr;
    decltype(&::zkGetInterface) zkGetInterface = nullptr;
    decltype(&::zkImplements) zkImplements = nullptr;
    decltype(&::zkIsCompatible) zkIsCompatible = nullptr;
    decltype(&::zkGetTypeProperty) zkGetTypeProperty = nullptr;
    decltype(&::zkSetTypeProperty) zkSetTypeProperty = nullptr;
    decltype(&::zkCreateObject) zkCreateObject = nullptr;
    decltype(&::zkCreateObjectEx) zkCreateObjectEx = nullptr;
    decltype(&::zkLoadObject) zkLoadObject = nullptr;
    decltype(&::zkMakeObject) zkMakeObject = nullptr;
    decltype(&::zkStoreObject) zkStoreObject = nullptr;
    decltype(&::zkAcquireObject) zkAcquireObject = nullptr;
    decltype(&::zkReleaseObject) zkReleaseObject = nullptr;
    decltype(&::zkIsSame) zkIsSame = nullptr;
    decltype(&::zkGetType) zkGetType = nullptr;
    decltype(&::zkGetProperty) zkGetProperty = nullptr;
    decltype(&::zkSetProperty) zkSetProperty = nullptr;
};

// The process-wide binding: written once at start and at exit, read without
// locks by every recognizer thread. lineMetrics is the library's optional
// line-metrics export, bound apart from the 20 entry points.
struct EngineBinding
{
    HMODULE library = nullptr;
    EngineEntryPoints entryPoints;
    decltype(&::zkGetLineMetrics) lineMetrics = nullptr;
    zkId engine = 0;
    zkId charset = 0;

    bool isBound() const { return entryPoints.zkCreateEngine != nullptr; }
};

const EngineBinding &engineBinding();

// The library is "InkoraEngine.dll" in the program's folder; tests bind
// another library of the same contract by its file name.
bool loadEngineLibrary(const QString &fileName = QStringLiteral("InkoraEngine.dll"));
void unloadEngineLibrary();
bool startEngine(const QString &fileName = QStringLiteral("InkoraEngine.dll"));
void stopEngine();

// Stream callbacks of zkLoadObject and zkStoreObject; userData is an open
// QIODevice.
int32_t engineStreamRead(void *buffer, int32_t size, void *userData);
int32_t engineStreamWrite(void *buffer, int32_t size, void *userData);
