#pragma once

// Models and scripted engine results shared by the recognition tests.

#include "model/recognitionresult.h"
#include "model/stroke.h"
#include "recognition/enginebinding.h"
#include "recordingengine.h"

#include <QPainterPath>

namespace fixtures {

// Binds and starts the recording engine for one test.
struct RecordingSession
{
    RecordingSession()
    {
        RecordingEngine::reset();
        started = startEngine(QStringLiteral("ScrivelRecordingEngine.dll"));
    }
    ~RecordingSession()
    {
        stopEngine();
        unloadEngineLibrary();
    }
    bool started = false;
};

// A horizontal pen stroke of n points from (x, y), 1 unit apart.
inline Stroke pen(double x, double y, int n = 10)
{
    QPainterPath path(QPointF(x, y));
    for (int i = 1; i < n; ++i)
        path.lineTo(x + i, y + (i % 2) * 4);
    return makePathStroke(path);
}

inline Stroke box(double x, double y, double size = 10)
{
    return makeBoxStroke(QRectF(x, y, size, size), 0.0);
}

inline Segment inkOf(const QList<Stroke> &strokes)
{
    Segment s;
    for (const Stroke &t : strokes)
        s.addInk(InkRange::fromStroke(t));
    return s;
}

inline Segment character(const QList<Stroke> &strokes, const QString &label,
                         float score = 1.0f)
{
    Segment s = inkOf(strokes);
    ResultNode n;
    n.setLabel(label);
    n.setType(ResultNode::Character);
    n.setScore(score);
    s.appendCandidate(n);
    s.selectLastCandidate();
    return s;
}

inline Segment group(const QList<Segment> &children, int type)
{
    Segment s;
    ResultNode n;
    n.setType(type);
    for (const Segment &c : children) {
        s.addInk(c.ink());
        n.appendChild(c);
    }
    s.appendCandidate(n);
    s.selectLastCandidate();
    return s;
}

inline Segment word(const QList<Segment> &characters)
{
    return group(characters, ResultNode::Word);
}

inline Segment newLine()
{
    Segment s;
    ResultNode n;
    n.setLabel(QStringLiteral("\n"));
    n.setType(ResultNode::Word);
    s.appendCandidate(n);
    s.selectLastCandidate();
    return s;
}

inline RecognitionResult model(const QList<Segment> &words)
{
    RecognitionResult r;
    r.setRoot(group(words, ResultNode::Text));
    return r;
}

inline zkInkRecord record(int u0, int c0, int p0, int u1, int c1, int p1)
{
    return zkInkRecord{int16_t(u0), int16_t(c0), int16_t(p0),
                       int16_t(u1), int16_t(c1), int16_t(p1)};
}

inline ScriptedCandidate leaf(const QString &label, float score = 1.0f)
{
    ScriptedCandidate c;
    c.label = label;
    c.score = score;
    return c;
}

inline ScriptedCandidate branch(const QList<ScriptedSegment> &children, float score = 1.0f)
{
    ScriptedCandidate c;
    c.score = score;
    c.children = children;
    return c;
}

inline ScriptedSegment segment(const QList<zkInkRecord> &ink,
                               const QList<ScriptedCandidate> &candidates, int selected = 0)
{
    ScriptedSegment s;
    s.ink = ink;
    s.candidates = candidates;
    s.selected = selected;
    return s;
}

} // namespace fixtures
