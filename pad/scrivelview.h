#pragma once

#include <QEvent>
#include <QGraphicsView>
#include <QPolygonF>

class ScrivelScene;

// The view of a writing pad: fits the scene by input mode, turns pen events
// into scene mouse events and drops the mouse events the pen also causes.
class ScrivelView : public QGraphicsView
{
    Q_OBJECT
public:
    enum PenState { NoPen = 0, PenPressed = 1, PenReleased = 2, SystemReleaseSeen = 3 };

    ScrivelView(int mode, ScrivelScene *scene, int side, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    void setOrigin(double x, double y);
    QPointF origin() const { return m_origin; }
    // Qt alignment flags of the text; AlignCenter at construction.
    void setAlignment(int alignment);
    int penState() const { return m_penState; }
    QPointF lastPenPoint() const { return m_rawPenPoint; }

    // Corners of r: top-left, top-right, bottom-right, bottom-left.
    static QPolygonF rectCorners(const QRectF &r);

    bool event(QEvent *event) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitScene();
    QTransform zoomedTransform() const;
    QTransform boxedTransform();
    QPointF penToScene(const QPointF &raw);
    void sendPenEvent(QEvent::Type penType, const QPointF &raw);

    QPointF m_origin;
    int m_side;
    int m_alignment = Qt::AlignCenter;
    int m_penState = NoPen;
    QPointF m_rawPenPoint;
    int m_mode;
};
