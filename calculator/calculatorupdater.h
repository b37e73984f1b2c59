#pragma once

#include "model/gestureset.h"
#include "model/inklocation.h"
#include "model/inkrangeinfo.h"
#include "pad/padtimer.h"
#include "pad/scrivelscene.h"
#include "pad/updater.h"

#include <QPointer>

class CalcOracle;
class CalcTypeSetItem;
class QGraphicsItemGroup;
class QTimeLine;
class ResultItem;

// The pad controller of the calculator: hands written ink to the calculator recognizer,
// takes its reading of the whole expression, typesets each symbol once it is 1500 ms old and,
// 2000 ms after the last writing, solves the expression (when solving is on), lays it out and
// lets the glyphs glide to their places. A tap on a "?" of the answer opens its candidates.
class CalculatorUpdater : public Updater
{
    Q_OBJECT
public:
    static constexpr int MaxStrokes = 32;
    static constexpr int TypesetAge = 1500;
    static constexpr int LayoutDelay = 2000;
    static constexpr int TapWindow = 200;
    static constexpr int TapSize = 80;
    static constexpr int OracleWatchdogDelay = 4000;
    static constexpr int LayoutDuration = 500;
    static constexpr int LayoutFrames = 30;

    CalculatorUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                      Qt::Alignment writingDirection);
    ~CalculatorUpdater() override;

    bool isDictionaryWord(const QString &word) const override;
    // Ends a pending layout and a running animation at once.
    void stopLayout();

    CalcOracle *oracle() const { return m_oracle; }
    const PadTimer &typeSetTimer() const { return m_typeSetTimer; }
    const PadTimer &layoutTimer() const { return m_layoutTimer; }
    const PadTimer &clickTimer() const { return m_clickTimer; }
    QTimeLine *layoutTimeLine() const { return m_layoutTimeLine; }
    QGraphicsItemGroup *auxGroup() const { return m_auxGroup; }
    QGraphicsItemGroup *typeSetGroup() const { return m_typeSetGroup; }
    QGraphicsItemGroup *resultItemGroup() const { return m_resultItemGroup; }
    QList<CalcTypeSetItem *> typeSetItems() const;
    // The result whose candidate list the last pen-up opened, if any.
    static ResultItem *lastTappedItem();
    // The visible part of the scene, in scene coordinates.
    QRectF visibleRect() const;

signals:
    void oracleRequest(QList<Stroke> strokes, QList<InkRangeInfo> charInfoList,
                       GestureSet gestureSet);
    void oracleResume();
    void expandScrivel(float fx, float fy, Qt::Alignment alignment, bool forceExpandHeight);
    void candidateListShown(const QRectF &rect);
    void localLayoutTimeLineFinished();

public slots:
    void recoResultEvent(const RecognitionResult &result) override;
    void importModelEvent(const RecognitionResult &model) override;
    void oracleAppendEvent(int count);
    void oracleEraseEvent(InkRange ink);
    void oracleDelayEvent(int delay, int count);
    void typeSetTimeoutEvent();
    void layoutTimeoutEvent();
    void clickTimeoutEvent();
    void selectedCandidateUpdateEvent(ScrivelScene::CandidateListInfo info,
                                      const Segment &segment, int index);
    void layoutTimeLineEvent(int frame);
    void layoutTimeLineFinishedEvent();
    void prepareExpandScrivelEvent(float x);
    void penUpEvent(StrokeItem *stroke) override;
    void penDownEvent() override;

protected:
    void requestOracle(const RecognitionResult &model, const QList<StrokeItem *> &strokes) override;
    void buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                      const QList<StrokeItem *> &strokes) override;
    void resumeProcessing() override;

private:
    bool fetchModel(UpdaterStates mask, CheckTask &task);
    RecognitionResult typesetModel(const RecognitionResult &model, const StrokeStamp &reference,
                                   const QList<StrokeItem *> &waiting);
    RecognitionResult solvedIfWanted(const RecognitionResult &model) const;
    ResultItem *tappedItem(StrokeItem *stroke) const;
    void showTappedCandidates(const QRectF &rect);
    void expandToShowExpression();
    void oracleWatchdogEvent();
    void recreateGroups();
    void rebuildInk(const QList<Stroke> &shown, const RecognitionResult &model);
    void rebuildGlyphs(QList<Segment> typeset, const RecognitionResult &model);
    void rebuildResults(QList<Segment> results, const RecognitionResult &model);
    QGraphicsItemGroup *makeGroup(qreal z);
    int alignmentOf(const RecognitionResult &model) const;

    CalcOracle *m_oracle;
    PadTimer m_typeSetTimer;
    PadTimer m_layoutTimer;
    PadTimer m_clickTimer;
    PadTimer m_oracleWatchdog;
    QGraphicsItemGroup *m_auxGroup = nullptr;
    QGraphicsItemGroup *m_typeSetGroup = nullptr;
    QGraphicsItemGroup *m_resultItemGroup = nullptr;
    QTimeLine *m_layoutTimeLine = nullptr;
    // Null once the scene is being destroyed.
    QPointer<QObject> m_sceneGuard;
};
