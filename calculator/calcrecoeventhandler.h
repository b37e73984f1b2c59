#pragma once

#include "engine/zkengine.h"
#include "model/recognitionresult.h"
#include "recognition/recognizerconfig.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <atomic>

namespace tessel {
class Parser;
class ParseObject;
class Region;
class Result;
} // namespace tessel
struct TerminalRegion;

// Drives the expression parser for the calculator's recognizer thread: lives in that
// thread, owns one parser with the grammar of arithmetic and the engine objects that read
// its terminal symbols, keeps the parser's strokes in step with the pad's result and runs
// the parser once its queue of input is drained.
class CalcRecoEventHandler : public QObject
{
    Q_OBJECT
public:
    CalcRecoEventHandler(zkId engine, const RecognizerConfig &config);
    ~CalcRecoEventHandler() override;

    bool isConfigured() const { return m_configured; }
    // Strokes handed to the parser, in parser order, and the label each one came with.
    QList<Stroke> strokes() const { return m_strokes; }
    QStringList labels() const { return m_labels; }
    // From any thread: an engine run in progress stops at its next progress report.
    void abortRecognition() { m_keepGoing = false; }
    bool keepsGoing() const { return m_keepGoing; }
    // Terminal candidates for a region the parser asks about; parser thread only.
    void offerTerminals(tessel::Result *target, tessel::Region *region);

signals:
    void result(RecognitionResult result);

public slots:
    virtual void updateRecognitionResultEvent(RecognitionResult result);
    virtual void addStroke(Stroke stroke);
    virtual void clear();
    virtual void recognize();
    void stopRecognition();

private:
    zkId loadEngineResource(const QString &file) const;
    bool loadResources();
    void buildParser();
    void detachResources();
    void release(zkId object) const;
    void addStrokeToEngineInput(const Stroke &stroke);
    void runEngine(tessel::Result *target, tessel::Region *region,
                   const TerminalRegion &facts);
    RecognitionResult buildCalcResult(const tessel::Result *parsed) const;
    Segment parseObjectToResult(const tessel::ParseObject *object) const;

    zkId m_engine;
    tessel::Parser *m_parser = nullptr;
    zkId m_recognizer = 0;
    zkId m_input = 0;
    RecognizerConfig m_config;
    bool m_configured = false;
    bool m_inputUnbound = true;
    std::atomic<bool> m_keepGoing{true};
    QList<Stroke> m_strokes;
    QStringList m_labels;
    InkRange m_sentInk;
    QTimer m_recognizeTimer;
};
