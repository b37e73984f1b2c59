#pragma once

#include "model/gestureset.h"
#include "model/inklocation.h"
#include "model/inkrangeinfo.h"
#include "pad/padtimer.h"
#include "pad/scrivelscene.h"
#include "pad/updater.h"

#include <QPointF>

#include <QPointer>

class CursiveLayoutAnimation;
class CursiveOracle;
class CursiveTypeSetItem;
class QGraphicsItem;
class QGraphicsItemGroup;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QTimeLine;
class TypeSetItem;

// The pad controller of free cursive writing: hands new ink to its oracle,
// turns the oracle's answers and the recognizer's readings into the model,
// and typesets words once their ink is old enough.
class CursiveUpdater : public Updater
{
    Q_OBJECT
public:
    static constexpr int OracleWatchdogDelay = 4000;
    static constexpr int TapSize = 80;

    CursiveUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                   Qt::Alignment writingDirection);
    ~CursiveUpdater() override;

    bool isDictionaryWord(const QString &word) const override;
    QRectF visibleSceneRect() const override;

    // Where results are respaced: on the new reading before the merge when
    // set, on the merged model otherwise (the default).
    void setRespaceBeforeMerge(bool on) { m_respaceBeforeMerge = on; }

    CursiveOracle *oracle() const { return m_oracle; }
    const PadTimer &typeSetTimer() const { return m_typeSetTimer; }
    const PadTimer &layoutTimer() const { return m_layoutTimer; }
    const PadTimer &oracleWatchdog() const { return m_oracleWatchdog; }
    CursiveLayoutAnimation *layoutAnimation() const { return m_layoutAnimation; }
    QGraphicsItemGroup *wordGroup() const { return m_wordGroup; }
    QGraphicsItemGroup *strokeGroup() const { return m_strokeGroup; }
    // The suggestion rectangles of the magic view; null while it is off.
    QGraphicsItemGroup *markGroup() const { return m_markGroup; }
    QGraphicsRectItem *caretItem() const { return m_caretItem; }
    QGraphicsLineItem *guideLine(int index) const { return m_guideLines[index]; }
    // The word whose candidate list the last pen-up opened, if any.
    static TypeSetItem *lastTappedWord();

signals:
    void oracleRequest(QList<Stroke> strokes, QList<InkRangeInfo> infos, GestureSet gestureSet);
    void oracleResume();
    // A tap asks for the candidates of a word, shown with the alignment.
    void candidateListRequested(const Segment &word, const QRectF &wordRect, int alignment);
    // A layout has ended and the pad shows its final state.
    void localLayoutTimeLineFinished();
    // Asks the panel to grow by fractions of its size.
    void expandScrivel(float fx, float fy, Qt::Alignment alignment, bool forceHeight);
    // Where the ink lies on the screen, widened: on leaving full-screen writing, and to place
    // the minimal interface beside it.
    void translationFinished(const QRectF &ink);
    void simulationFinished(const QRectF &ink);
    void candidateListShown(const QRectF &list);

public slots:
    void recoResultEvent(const RecognitionResult &result) override;
    void importModelEvent(const RecognitionResult &model) override;
    void magicButtonEvent(bool on) override;
    void prepareExpandScrivelEvent(float position);
    // Leaving full-screen writing with text: the panel pad's view takes the ink's corner as its
    // origin (unless only simulated) and the ink's screen rectangle is reported.
    void adaptSceneFromFullScreen(bool simulationOnly);
    // Entering full-screen writing from the panel: the full-screen view shows the ink where
    // the panel showed it.
    void adaptSceneFromWindow();
    void adaptSceneToScreenChanged();
    void oracleAppendEvent(int count);
    void oracleGestureEvent(const QString &gesture);
    void oracleInsertEvent(InkLocation location, bool upward);
    void oracleEraseEvent(InkRange ink);
    void oracleDelayEvent(int delay, int count);
    void typeSetTimeoutEvent();
    void layoutTimeoutEvent();
    void layoutTimeLineFinishedEvent();
    void selectedCandidateUpdateEvent(ScrivelScene::CandidateListInfo info, const Segment &segment,
                                      int index);
    void segmentCorrectionRequestEvent(const Segment &segment);
    void blinkTimeLineEvent(int frame);
    void blinkTimeLineFinishedEvent();
    void penUpEvent(StrokeItem *stroke) override;
    void penDownEvent() override;
    void resetGuideLinesXEvent();

protected:
    void requestOracle(const RecognitionResult &model, const QList<StrokeItem *> &strokes) override;
    void buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                      const QList<StrokeItem *> &strokes) override;
    void resumeProcessing() override;

private:
    bool fetchModel(UpdaterStates mask, CheckTask &task);
    CursiveTypeSetItem *tappedWord(StrokeItem *stroke) const;
    RecognitionResult markTypeset(const RecognitionResult &model,
                                  const QList<QGraphicsItem *> &keepOut);
    void oracleWatchdogEvent();
    void expandToFitWords();
    void endLayout(bool settle);
    QPointF screenEdge(bool right) const;
    double screenWritingWidth() const;
    void showCaret(const QRectF &rect);
    void removeCaret();
    void recreateGroups();
    void rebuildStrokes(const QList<Stroke> &shown, const RecognitionResult &model);
    void rebuildWords(QList<Segment> shown, const RecognitionResult &model);
    void updateGuideLines(const RecognitionResult &model);
    void showGuideLine(int index, bool shown);
    int resultAlignment(const RecognitionResult &model) const;

    CursiveOracle *m_oracle;
    CursiveLayoutAnimation *m_layoutAnimation;
    PadTimer m_typeSetTimer;
    PadTimer m_layoutTimer;
    QGraphicsItemGroup *m_strokeGroup = nullptr;
    QGraphicsItemGroup *m_wordGroup = nullptr;
    QGraphicsItemGroup *m_markGroup = nullptr;
    QGraphicsRectItem *m_caretItem = nullptr;
    QTimeLine *m_blinkTimeLine = nullptr;
    QGraphicsLineItem *m_guideLines[2];
    bool m_guideShown[2] = {false, false};
    PadTimer m_oracleWatchdog;
    bool m_respaceBeforeMerge = false;
    // Null once the scene is being destroyed.
    QPointer<QObject> m_sceneGuard;
};
