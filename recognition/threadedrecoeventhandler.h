#pragma once

#include "engine/zkengine.h"
#include "model/recognitionresult.h"
#include "recognition/recognizerengine.h"

#include <QObject>
#include <QRectF>
#include <QTimer>


// Drives the engine for one recognizer thread: lives in that thread, owns
// the engine objects and is reached through queued signals. Every input
// operation arms a 0 ms timer, so a burst of requests leads to one run.
class ThreadedRecoEventHandler : public QObject
{
    Q_OBJECT
public:
    enum UnitKind : zkId { BoxedUnit = ZK_UNIT_BOXED, FreeUnit = ZK_UNIT_FREE };

    ThreadedRecoEventHandler(zkId engine, const RecognizerEngine &parameters);
    ~ThreadedRecoEventHandler() override;

    bool isConfigured() const { return m_configured; }
    // From the GUI thread: the running recognition stops and emits nothing.
    void abortRecognition();
    bool keepsGoing() const;

    virtual bool trainingProgress(int value, int bound);
    virtual bool trainAndStore(const QString &path);
    virtual bool storeTrainingSet(const QString &path);
    virtual bool loadTrainingSet(const QString &path);
    // The training set read back: one character per sample, in order.
    virtual RecognitionResult convertEngineResult();
    virtual QString logPrefix() const;

signals:
    void result(RecognitionResult result);

public slots:
    virtual void updateRecognitionResultEvent(RecognitionResult result, QRectF optionalCharBox,
                                              bool isoMode);
    void updateRecognitionResultEvent(RecognitionResult result, QRectF optionalCharBox);
    void updateRecognitionResultEvent(RecognitionResult result);
    virtual bool initTrainer();
    virtual void addStroke(Stroke stroke);
    virtual void addString(Segment charSeg);
    virtual void addCharacter(Segment charSeg, QRectF rect);
    virtual void addAlienCharacter(Segment charSeg, QRectF charRect, QRectF alienRect);
    virtual bool addTrainingSample(QString label);
    virtual bool removeTrainingSample(int index);
    virtual void startRecognitionUnit(zkId unit);
    virtual void setGuideBox(float x, float y, float width, float height);
    virtual void clear();
    virtual void clearTrainingSet();
    virtual void recognize();

protected:
    zkId loadEngineObject(const QString &path) const;
    bool storeEngineObject(const QString &path, zkId object) const;
    bool attachResource(zkId object);
    bool addResource(const QString &file);
    zkId buildLexicon(const QStringList &words);
    void detachAllResources();
    void release(zkId object) const;

    bool hasCandidates() const;
    RecognitionResult buildRecognitionResult() const;
    Segment convertSegment(zkId segments, int level, int lastLevel) const;
    ResultNode convertCandidate(zkId candidates, int level, int lastLevel) const;
    bool isSeparatorLabel(zkId segments) const;

    // For subclasses whose constructors load more than the engine objects.
    void setConfigured(bool configured) { m_configured = configured; }
    // The 0 ms timer that runs recognize.
    QTimer &timer() { return m_timer; }

private:
    void addCharacterObject(const QString &label, float score, const QRectF &rect);
    void addInk(Segment &segment, zkId segments) const;
    QList<double> baselinesFromEngine(const QList<InkRange> &lines, double *spacing) const;
    int candidateLimit(int level) const;
    RecognitionResult sampleResult(int64_t index) const;
    QList<Stroke> sampleStrokes(zkId ink) const;

    zkId m_engine;
    zkId m_recognizer = 0;
    zkId m_input = 0;
    zkId m_trainer = 0;
    zkId m_trainingSet = 0;
    RecognizerEngine m_parameters;
    bool m_configured = false;
    bool m_inputBound = false;
    bool m_keepGoing = true;
    QList<Stroke> m_strokes;
    QList<int> m_unitStarts;
    QTimer m_timer;
};

// Progress function of recognition runs; context is the handler.
bool engineProgressCallback(int32_t value, int32_t bound, void *context);
// Progress function of training runs; asks the handler's trainingProgress.
bool trainingProgressCallback(int32_t value, int32_t bound, void *context);
