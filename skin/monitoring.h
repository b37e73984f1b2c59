#pragma once

#include "skin/resizehandle.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// One mouse drag, from the press to the release: it moves a window, or resizes a widget by
// one of its corners or its top edge. Positions that would leave too little of the window
// on the available desktop are refused.
class Monitoring final : public QObject
{
    Q_OBJECT
public:
    enum Mode { Move = 1, Resize = 2 };
    Q_ENUM(Mode)

    // window is moved (and decides the screen); target, when given, is the widget resized.
    // start is the global press position.
    Monitoring(QWidget *window, Mode mode, const QPoint &start, QWidget *target,
               ResizeEdge edge);

    QPoint origin() const { return m_origin; }
    // The window's position when the drag started.
    void setOrigin(const QPoint &origin) { m_origin = origin; }

    // Follows the mouse to globalPos: on every move with the left button held and once more
    // on the release.
    void applyDrag(const QPoint &globalPos);

    // True when less than 21 pixels of r, in width or in height, lie on the available area
    // of the window's screen.
    bool isMostlyOffScreen(const QRect &r) const;

private:
    void move(const QPoint &delta);
    void resize(const QPoint &delta);

    QWidget *m_window;
    Mode m_mode;
    ResizeEdge m_edge;
    QPoint m_origin;
    QPoint m_start;
    QSize m_targetSize{-1, -1};
    QPointer<QWidget> m_target;
};
