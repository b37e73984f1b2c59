#pragma once

#include <QFlags>
#include <QList>
#include <QPolygon>
#include <QWidget>

// The corner or edge of a widget that a resize drag moves.
enum class ResizeEdge {
    None = 0,
    TopLeft = 1,
    TopRight = 2,
    BottomLeft = 4,
    BottomRight = 8,
    Top = 16
};
Q_DECLARE_FLAGS(ResizeEdges, ResizeEdge)
Q_DECLARE_OPERATORS_FOR_FLAGS(ResizeEdges)

// A small corner-shaped grip over one corner (or the top edge) of its parent: it shows the
// resize cursor of its edge and follows the parent's size. Its mouse events are filtered by
// whoever starts the resize drag.
class ResizeHandle final : public QWidget
{
    Q_OBJECT
public:
    // A drawn handle paints its outline; an undrawn one only shapes the cursor area.
    ResizeHandle(ResizeEdge edge, bool drawn, QWidget *parent);

    ResizeEdge edge() const { return m_edge; }
    bool isDrawn() const { return m_drawn; }
    // The outline, in the handle's own coordinates.
    QPolygon polygon() const { return m_polygon; }

    // The scale of the unit shape along a parent side: a third of it, from 10 up to 40, or
    // half of it when a third is less than 10.
    static int scaleFactor(int parentSide);

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitToParent();

    ResizeEdge m_edge;
    bool m_drawn;
    QPolygon m_polygon;
};

using ResizeHandles = QList<ResizeHandle *>;

// A handle for each of edges, in the order top, top-left, top-right, bottom-left,
// bottom-right; those in drawnEdges are drawn. Each follows parent's resizes.
ResizeHandles makeResizeHandles(ResizeEdges edges, ResizeEdges drawnEdges, QWidget *parent);
void deleteHandles(ResizeHandles &handles);
void installFilterOnHandles(const ResizeHandles &handles, QObject *filter);
void showHandles(const ResizeHandles &handles);
void hideHandles(const ResizeHandles &handles);
void raiseHandles(const ResizeHandles &handles);
