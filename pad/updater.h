#pragma once

#include "lang/writingdirection.h"
#include "model/recognitionresult.h"
#include "model/updaterrequest.h"
#include "pad/behavioursettings.h"

#include <QLocale>
#include <QObject>
#include <QRectF>
#include <QTimer>

class Config;
class DemoPlayer;
class QGraphicsItem;
class ScrivelScene;
class StrokeItem;

// Base of the pad controllers: owns the pad's model and the strokes waiting
// for recognition, and serialises the derived controller's work through a
// request state machine.
class Updater : public QObject
{
    Q_OBJECT
public:
    using State = UpdaterState;
    enum Flag {
        TypesetModeMask = 3,
        KeepProcessedStrokes = 4,
        ExportPending = 16,
        SendPending = 32,
        PenActive = 64
    };
    // What buildTypeSet renews: the two item groups, and the items they hold.
    enum TypeSetMode { RecreateGroups = 1, RebuildContents = 2 };
    Q_DECLARE_FLAGS(TypeSetModes, TypeSetMode)
    // Send-hold bit of the base, held while strokes are being worked on.
    static constexpr int StrokeWorkHold = 1;
    static constexpr int WritingCursorDelay = 1500;

    // The writing direction is the pad's text alignment: Qt::AlignLeft for left to right,
    // Qt::AlignRight for right to left; only its horizontal part counts.
    Updater(const BehaviourSettings &behaviour, ScrivelScene *scene,
            Qt::Alignment writingDirection);
    ~Updater() override;

    virtual void setBehaviour(const BehaviourSettings &behaviour);
    virtual void resetState();
    // The writing box after x, or with fromEnd the one before it; empty without boxes.
    virtual QRectF boxRectAt(double x, bool fromEnd) const;
    virtual bool processRequest(UpdaterRequest *request);
    // The model with the queued mini-keyboard keys merged in, oldest first.
    virtual RecognitionResult exportableModel(const RecognitionResult &model);
    virtual bool isDictionaryWord(const QString &word) const;
    virtual QRectF visibleSceneRect() const;

    // Loads and plays a demonstration ink over rect (DemoPlayer::Kind); an erase over a
    // dictionary word name plays the delete gesture. The auxiliary item goes.
    void loadAnimationInk(int kind, const QRectF &rect, const QString &name);
    // The calculator's sample ink, dimmed, inside the visible scene until the first writing.
    void showCalculatorSampleInk();
    // Stops a running demonstration; a fed stroke reaches penUpEvent.
    void stopDemo();
    // Takes the sample ink away when it is shown.
    void endSampleInk();
    DemoPlayer *demoPlayer() const { return m_demo; }
    QList<RecognitionResult> keyQueue() const { return m_keyQueue; }
    bool hasWritten() const { return m_hasWritten; }
    // The item the cursive controller's magic button shows; the controller owns it.
    QGraphicsItem *auxiliaryItem() const { return m_auxItem; }
    void setAuxiliaryItem(QGraphicsItem *item);

    bool isEmpty() const;
    void holdSendTimer(int mask);
    void releaseSendTimer(int mask);
    void restartSendTimer();
    void emitEmptyIfIdle();
    void setRecognitionConfig(const Config &config);

    State state() const { return m_context.state; }
    int flags() const { return m_context.flags; }
    RecognitionResult model() const { return m_context.model; }
    QList<StrokeItem *> pendingStrokes() const { return m_context.pendingStrokes; }
    int processedCount() const { return m_context.processedCount; }
    int sendHoldMask() const { return m_sendHoldMask; }
    BehaviourSettings behaviour() const { return m_behaviour; }
    ScrivelScene *scene() const { return m_scene; }
    Qt::Alignment writingDirection() const { return m_writingDirection; }
    WritingDirection textDirection() const;
    static Qt::Alignment alignmentFor(WritingDirection direction);
    bool noWordSpacing() const { return m_noWordSpacing; }
    QString decimalSeparator() const { return m_decimalSeparator; }
    QLocale::Language language() const { return m_language; }

signals:
    void updateRecognitionResult(const RecognitionResult &model,
                                 const QRectF &optionalGuideBox = QRectF(), bool isoMode = false);
    void newGuideBox(const QRectF &box);
    void newCurrentBox(int box);
    void exportModel(const RecognitionResult &model);
    void timeout();
    void correctionRequestAtPos(int position);
    void updaterClearContextEvent();
    void emptyFullScreenWritepad();
    void sendButtonTimeoutEmpty();
    void simulateIsNotVsdMove();
    void animationStrokeDone();
    void enableMagicAction(bool on);
    void hideMiniKeyboard();

public slots:
    virtual void penUpEvent(StrokeItem *item);
    virtual void penDownEvent();
    virtual void recoResultEvent(const RecognitionResult &result) = 0;
    virtual void importModelEvent(const RecognitionResult &model);
    void importModelEvent();
    void resumeTimerEvent();
    void sendActionEvent();
    void unsetWritingCursor();
    void enableMagicActionSignal(bool on);
    virtual void magicButtonEvent(bool on);
    virtual void calcButtonEvent(bool on);
    // Keys of the pad's mini keyboard: queued and sent, or for space, return and backspace
    // taught first by playing their gesture when demonstrations are on.
    void importMiniKeyboardEvent(const RecognitionResult &keys);

protected:
    // Ask the oracle about the pending strokes.
    virtual void requestOracle(const RecognitionResult &model, const QList<StrokeItem *> &strokes) = 0;
    // Rebuild the typeset items from the model; strokes are the finalised
    // items when KeepProcessedStrokes was set.
    virtual void buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                              const QList<StrokeItem *> &strokes) = 0;
    virtual void resumeProcessing() = 0;

    QTimer *sendTimer() const { return m_sendTimer; }
    QTimer *cursorTimer() const { return m_cursorTimer; }
    QTimer *resumeTimer() const { return m_resumeTimer; }
    // Whether mini-keyboard keys may be taught by their gesture.
    virtual bool animatesKeys() const { return true; }

private:
    struct Context
    {
        State state = State::Idle;
        int flags = 0;
        RecognitionResult model;
        QList<StrokeItem *> pendingStrokes;
        int processedCount = 0;
    };

    bool processIdle(UpdaterRequest *request);
    bool processProcessing(UpdaterRequest *request);
    bool processPaused(UpdaterRequest *request);
    bool check(CheckTask *task);
    void schedule(ScheduleTask *task);
    void updateIdle(UpdateIdle *task);
    void update(UpdateTask *task);
    void finalize(FinalizeTask *task);
    void delay(DelayTask *task);
    void typeset(const QList<StrokeItem *> &strokes);
    void askOracle();
    void resetContext();
    void setState(State state);
    void sendIfIdle();
    bool modelHasInk() const;
    void trace(const QString &text) const;
    static QString stateName(State state);

    Context m_context;
    BehaviourSettings m_behaviour;
    ScrivelScene *m_scene;
    QTimer *m_sendTimer;
    QTimer *m_cursorTimer;
    QTimer *m_resumeTimer;
    bool m_noWordSpacing = false;
    QString m_decimalSeparator;
    QLocale::Language m_language = QLocale::AnyLanguage;
    Qt::Alignment m_writingDirection;
    int m_sendHoldMask = 0;

    void startKeyDemo();
    void fedDemoEnded(bool completed);

    DemoPlayer *m_demo;
    QList<RecognitionResult> m_keyQueue;
    QTimer *m_keyGuardTimer;
    QTimer *m_demoStartTimer;
    int m_waitingKeyDemo = 0;
    QGraphicsItem *m_auxItem = nullptr;
    bool m_hasWritten = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Updater::TypeSetModes)
