#pragma once

#include "model/segment.h"
#include "pad/itemstyle.h"

#include <QEvent>
#include <QGraphicsScene>

class QGraphicsRectItem;
class QGraphicsSceneMouseEvent;
class StrokeItem;

// The scene of a writing pad: turns left-button presses, moves and releases
// into stroke items and hosts the pad's other items.
class ScrivelScene : public QGraphicsScene
{
    Q_OBJECT
public:
    // Which change of a candidate list a selection reports.
    enum CandidateListInfo { CandidateShown = 0, CandidateChosen = 1, CandidateCleared = 2 };
    Q_ENUM(CandidateListInfo)

    explicit ScrivelScene(const ItemStyle &style, QObject *parent = nullptr);
    ~ScrivelScene() override;

    ItemStyle style() const { return m_style; }
    void setStyle(const ItemStyle &style) { m_style = style; }

    // The scene owns the modal item; the previous one is deleted.
    QGraphicsItem *modalItem() const { return m_modalItem; }
    void setModalItem(QGraphicsItem *item);
    void closeModalItem();
    void setBlocked(bool blocked) { m_blocked = blocked; }
    bool isBlocked() const { return m_blocked; }
    void setNoInkMode(int mode) { m_noInkMode = mode; }
    int noInkMode() const { return m_noInkMode; }
    void notifyItemPressed() { m_itemPressed = true; }
    // Arms the jump guard for strokes written near ink that wide.
    void updateInkMaxX(double width);
    void notifySelectedCandidate(CandidateListInfo info, const Segment &segment, int index);
    // The background's cursor between strokes: full-screen or windowed.
    void setIdleCursor();
    // The background item under the strokes, which carries the scene's cursor.
    QGraphicsRectItem *transparentRectItem() const { return m_backgroundRect; }

signals:
    void penDown();
    // The receiver owns the item.
    void penUp(StrokeItem *item);
    void selectedCandidateUpdate(ScrivelScene::CandidateListInfo info, const Segment &segment,
                                 int index);
    void prepareExpandScrivelX(float x);
    void mouseIsOnFloatingMenu(const QPointF &point);

public slots:
    void clearStrokes(bool onlyDimmedStrokes);
    void clearStrokes();
    void tabletToMouseEvent(QGraphicsSceneMouseEvent *event);
    void tabletSavePointEvent(QEvent::Type type, const QPointF &point);
    void setTransparentRect();
    void fullScreenMousePress(const QPoint &global);
    void fullScreenMouseMove(const QPoint &global);
    void fullScreenMouseRelease(const QPoint &global);
    void removeRect();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void handlePress(QGraphicsSceneMouseEvent *event);
    bool mayStartStroke(QGraphicsSceneMouseEvent *event) const;
    void addStrokePoint(const QPointF &point);
    void resetGuard();
    bool mapFromFirstView(const QPoint &global, QPointF &scenePoint) const;

    ItemStyle m_style;
    QGraphicsItem *m_modalItem = nullptr;
    StrokeItem *m_currentStroke = nullptr;
    QGraphicsRectItem *m_backgroundRect = nullptr;
    bool m_blocked = false;
    bool m_itemPressed = false;
    QPointF m_savedPressPos;
    QPointF m_savedReleasePos;
    StrokeItem *m_fullScreenStroke = nullptr;
    int m_noInkMode = 0;
    double m_strokeMinX = 0.0;
    double m_strokeMaxX = 0.0;
    bool m_guardActive = false;
    bool m_strokeFrozen = false;
    int m_guardMoves = 0;
    double m_guardWidth = 0.0;
    QPointF m_lastPos;
};
