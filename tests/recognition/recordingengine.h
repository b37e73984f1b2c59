#pragma once

// A stand-in engine library for tests: it answers the entry points with
// scripted results and records the calls it receives.

#include "engine/zkengine.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ScriptedSegment;

struct ScriptedCandidate
{
    QString label;
    float score = 1.0f;
    QList<ScriptedSegment> children;
};

struct ScriptedSegment
{
    QList<zkInkRecord> ink;
    int selected = 0;
    QList<ScriptedCandidate> candidates;
};

namespace RecordingEngine {

// Forgets the calls, the script and the knobs; objects alive stay alive.
void reset();
QStringList calls();
// The candidates of the whole text returned by the next runs.
void setResult(const QList<ScriptedCandidate> &text);
void setLineMetrics(const QList<zkLineMetrics> &lines);
// A run calls the progress function this many times, 1 ms apart, and stops
// early when it answers false.
void setProgressCalls(int count);
bool runStarted();
// zkCreateObject of this type fails.
void failCreate(uint32_t type);
// Attaching a resource loaded from a stream that begins with this text fails.
void refuseResource(const QByteArray &head);
// zkLoadObject reads its stream and answers none.
void failLoads(bool fail);
int liveObjects();

} // namespace RecordingEngine
