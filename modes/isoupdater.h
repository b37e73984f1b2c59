#pragma once

#include "model/gestureset.h"
#include "model/inklocation.h"
#include "model/inkrangeinfo.h"
#include "pad/padtimer.h"
#include "pad/updater.h"

#include <QPointer>

class IsoBoxItem;
class IsoOracle;
class QGraphicsItemGroup;

// The pad controller of boxed-character writing: one character per box, the
// boxes in one row. The model is kept boxed: every character owns a box
// stroke marking its box. New ink goes to the oracle, the character being
// written to the recognizer, and a resting pen lays the typeset labels out.
class IsoUpdater : public Updater
{
    Q_OBJECT
public:
    static constexpr int InactivityDelay = 1000;
    static constexpr int OracleWatchdogDelay = 4000;
    static constexpr double BoxGap = 100.0;
    static constexpr double RowTop = 120.0;
    static constexpr double FirstBoxX = 100.0;
    static constexpr int SpareBoxes = 20;

    IsoUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
               Qt::Alignment writingDirection);
    ~IsoUpdater() override;

    using Updater::importModelEvent;
    void setBehaviour(const BehaviourSettings &behaviour) override;
    QRectF visibleSceneRect() const override;

    // The scene rectangle of the first box after x (from the second box on),
    // or with fromEnd of the last box before x; empty when none.
    QRectF boxRectAt(double x, bool fromEnd) const override;
    // The x of box i in writing order; 0 beyond the boxes.
    double boxPosition(int i) const;
    virtual int spareBoxCount() const;

    // The result with every character in a box of its own, in one row, each
    // carrying a box stroke; the pen ink is kept when asked.
    RecognitionResult layoutInBoxes(const RecognitionResult &source, bool keepInk) const;
    // A space character on a typed stroke, full width with double-size boxes.
    RecognitionResult makeSpaceResult() const;
    // The union of the box strokes' rectangles; empty without box stroke.
    static QRectF boxStrokesRect(const QList<Stroke> &strokes);
    // The pen strokes of the result's root ink as one character labelled "#".
    static RecognitionResult penInkResult(const RecognitionResult &result);

    IsoOracle *oracle() const { return m_oracle; }
    QList<IsoBoxItem *> boxes() const { return m_boxes; }
    QGraphicsItemGroup *typeSetGroup() const { return m_typeSetGroup; }
    int boxSizeMode() const { return m_boxSizeMode; }
    const PadTimer &inactivityTimer() const { return m_inactivityTimer; }
    const PadTimer &oracleWatchdog() const { return m_oracleWatchdog; }

signals:
    void oracleRequest(QList<Stroke> strokes, QList<InkRangeInfo> infos, GestureSet gestureSet);
    void oracleResume();

public slots:
    void penDownEvent() override;
    void recoResultEvent(const RecognitionResult &answer) override;
    void importModelEvent(const RecognitionResult &model) override;
    void changeBoxesSize(bool isDoubleSize);
    virtual void inactivityTimerEvent();
    virtual void oracleAppendEvent(int count);
    virtual void oracleUpdateEvent(InkRange range);
    virtual void oracleOverwriteEvent(InkRange range);
    virtual void oracleGestureEvent(const QString &gesture);
    virtual void oracleInsertEvent(InkLocation location, bool join);
    virtual void oracleEraseEvent(InkRange range);
    virtual void oracleDelayEvent(int delay, int count);
    virtual void prepareEraseAnimation(bool show);
    virtual void prepareInsertAnimation(bool show);

protected:
    void requestOracle(const RecognitionResult &model, const QList<StrokeItem *> &strokes) override;
    void buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                      const QList<StrokeItem *> &strokes) override;
    void resumeProcessing() override;

    // Posts a CheckTask with the mask; true when accepted, the task then
    // carrying the model and the pending strokes.
    bool fetchModel(UpdaterStates mask, CheckTask &task);
    // The oracle's answers begin with this: the watchdog stops, and the
    // answer counts only while processing.
    bool fetchAnswerModel(CheckTask &task);
    // The model with the character of range rebuilt from its strokes and the
    // pending ones, unlabelled unless keepLabel; update makes range the
    // character being written.
    RecognitionResult rewrittenCharacter(const CheckTask &check, const InkRange &range,
                                         bool update, bool keepLabel,
                                         RecognitionResult *character) const;
    // Answers an update or overwrite: the character of range is rebuilt,
    // unlabelled, and shown as the one being written.
    void rewriteCharacter(const InkRange &range, bool update);
    // Whether the pad's gesture oracle is watched by the 4 s watchdog.
    virtual bool watchesOracle() const { return true; }
    virtual GestureSet gestureSetFor(const RecognitionResult &model,
                                     const QList<StrokeItem *> &strokes) const;
    PadTimer &inactivity() { return m_inactivityTimer; }

private:
    void oracleWatchdogEvent();
    IsoBoxItem *boxAt(int index);
    void placeSpareBoxes(int first);

    IsoOracle *m_oracle;
    PadTimer m_inactivityTimer;
    QList<IsoBoxItem *> m_boxes;
    QGraphicsItemGroup *m_typeSetGroup = nullptr;
    int m_boxSizeMode = 0;
    PadTimer m_oracleWatchdog;
    // Null once the scene is being destroyed.
    QPointer<QObject> m_sceneGuard;
};
