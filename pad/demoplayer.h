#pragma once

#include <QBasicTimer>
#include <QList>
#include <QObject>
#include <QPolygonF>
#include <QRectF>

class QTimeLine;
class ScrivelScene;
class StrokeItem;

// Plays a demonstration ink in a pad's scene stroke by stroke along a time line. Gesture
// demonstrations are fed: their one stroke is handed to the owner as if written. Samples
// are only drawn, dimmed while the sample is shown.
class DemoPlayer final : public QObject
{
    Q_OBJECT
public:
    enum Kind {
        NoDemo = 0,
        InsertDemo = 1,
        EraseDemo = 2,
        JointDemo = 3,
        SpaceDemo = 4,
        BackspaceDemo = 5,
        ReturnDemo = 6,
        AlphabetSample = 7,
        CalculatorSample = 8
    };
    static constexpr int DefaultDuration = 500;
    static constexpr int EraseDuration = 2500;
    static constexpr int SampleMsPerPoint = 15;
    static constexpr int SampleLifeMs = 20000;

    DemoPlayer(ScrivelScene *scene, QObject *parent = nullptr);
    ~DemoPlayer() override;

    // The ink file of a kind over a rectangle: the variant of the edit gestures follows the
    // rectangle's width; an erase over a dictionary word is shown as a delete. Any kind that
    // is not known plays as an erase.
    static QString fileName(int kind, const QRectF &rect, bool dictionaryWord);
    // The rectangle the ink is drawn into.
    static QRectF targetRect(int kind, const QRectF &rect);

    // Loads and starts a demonstration; false, with nothing shown, when its file cannot be
    // read. Without animate each stroke is added at once, hidden.
    bool load(int kind, const QRectF &rect, bool dictionaryWord, bool animate);
    // Stops a running time line, handing a fed stroke over, and resets; the sample stays.
    void stop();
    // While the sample is shown: stops, and clears the scene's dimmed strokes.
    void endSample();

    int kind() const { return m_kind; }
    bool isFed() const { return m_fed; }
    int duration() const { return m_duration; }
    QTimeLine *timeLine() const { return m_timeLine; }
    StrokeItem *stroke() const { return m_stroke; }
    QList<QPolygonF> pendingStrokes() const { return m_strokes; }
    bool isSampleShown() const { return m_sampleTimer.isActive(); }

signals:
    // A fed stroke starts: the owner takes it as a pen-down.
    void fedStrokeStarting();
    // The fed stroke ends, drawn or stopped: the owner takes it as a pen-up and owns it.
    void fedStrokeDone(StrokeItem *item);
    // After a fed demonstration has been reset; completed when its time line ran out.
    void fedDemoEnded(bool completed);
    // A demonstration starts while the application writes full-screen.
    void fullScreenStart();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void startStroke();
    void frameChanged(int frame);
    void timeLineFinished();
    void appendPointsUpTo(int index);
    void finishStroke();
    void reset();
    void dropTimeLine();

    ScrivelScene *m_scene;
    int m_kind = NoDemo;
    QList<QPolygonF> m_strokes;
    int m_duration = DefaultDuration;
    QTimeLine *m_timeLine = nullptr;
    StrokeItem *m_stroke = nullptr;
    bool m_fed = false;
    bool m_animate = true;
    QBasicTimer m_sampleTimer;
};
