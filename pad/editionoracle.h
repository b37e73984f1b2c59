#pragma once

#include "lang/writingdirection.h"
#include "model/gestureset.h"
#include "model/inklocation.h"
#include "model/inkrange.h"
#include "model/inkrangeinfo.h"
#include "model/recognitionresult.h"
#include "model/stroke.h"
#include "pad/gesturecandidate.h"

#include <QList>
#include <QObject>
#include <QRectF>

#include <memory>

class EditRequest;
class InstantRecognizer;

// Decides what a new stroke means for the ink on a pad: more writing, a
// delay, an edit of existing ink or a stand-alone gesture. Every request is
// answered by exactly one signal; its last stroke is read by a gesture
// recognizer of its own, one request at a time and in the order asked.
// A request answered by a delay is decided when resumed, unless a newer
// request has begun. Without a gesture recognizer every request is answered
// as writing.
class EditionOracle : public QObject
{
    Q_OBJECT
public:
    EditionOracle(int candidateSlots, int gestureDelay, bool holdForMoreWriting,
                  WritingDirection direction, QObject *parent = nullptr);
    ~EditionOracle() override;

    bool strictTargets() const { return m_strictTargets; }
    bool holdsForMoreWriting() const { return m_holdForMoreWriting; }
    WritingDirection direction() const { return m_direction; }
    // Whether the request's gesture is a key (backspace, space or return)
    // written wide enough to count.
    static bool isQuickGesture(const EditRequest &request);

signals:
    void append(int count);
    void update(InkRange inkRange);
    void overwrite(InkRange inkRange);
    void gesture(QString result);
    void erase(InkRange inkRange);
    void insert(InkLocation inkLocation, bool upward);
    void delay(int delay, int processedStrokesNb);
    void recoRequest(RecognitionResult result, QRectF optionalCharBox, bool isoMode);
    void recoRequest(RecognitionResult result, QRectF optionalCharBox);
    void recoRequest(RecognitionResult result);

public slots:
    void bindRecognizer(bool ok);
    void request(QList<Stroke> strokes, QList<InkRangeInfo> charInfoList,
                 GestureSet gestureSet);
    void gestureRecoEvent(RecognitionResult result);
    void resume();

protected:
    // Sets the five scores of every target from its features.
    virtual void computeGestureScores() = 0;
    // A second pass over the scores, given the crossings of the near targets.
    virtual void filterGestures(int crossings);
    // Adjusts the scores before the winner is chosen.
    virtual void decideEdit(float threshold) = 0;

    EditRequest *currentRequest() const { return m_request.get(); }
    void setStrictTargets(bool strict) { m_strictTargets = strict; }
    void setHoldForMoreWriting(bool hold) { m_holdForMoreWriting = hold; }

private:
    enum class ReaderState { Starting, Ready, Failed };
    struct Pending
    {
        QList<Stroke> strokes;
        QList<InkRangeInfo> infos;
        GestureSet gestureSet;
    };

    void startNext();
    void begin(const Pending &pending);
    void decide();
    void answerAppendLater(int count);
    void applyLabelRules();
    void answer(EditKind kind);
    void answerErase(EditKind kind);
    InkRange inkScoring(EditKind kind) const;

    int m_candidateSlots;
    int m_gestureDelay;
    bool m_holdForMoreWriting;
    bool m_strictTargets = false;
    WritingDirection m_direction;
    InstantRecognizer *m_recognizer = nullptr;
    std::unique_ptr<EditRequest> m_request;
    ReaderState m_readerState = ReaderState::Starting;
    bool m_awaitingLabel = false;
    bool m_awaitingResume = false;
    QList<Pending> m_pending;
};
