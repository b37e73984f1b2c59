#include "skin/resizehandle.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QTransform>

namespace {

Qt::CursorShape edgeCursor(ResizeEdge edge)
{
    switch (edge) {
    case ResizeEdge::TopRight:
    case ResizeEdge::BottomLeft:
        return Qt::SizeBDiagCursor;
    case ResizeEdge::Top:
        return Qt::SizeVerCursor;
    default:
        return Qt::SizeFDiagCursor;
    }
}

qreal edgeRotation(ResizeEdge edge)
{
    switch (edge) {
    case ResizeEdge::TopRight:
        return 90;
    case ResizeEdge::BottomRight:
        return 180;
    case ResizeEdge::BottomLeft:
        return 270;
    default:
        return 0;
    }
}

// A square with the corner away from the parent's corner cut off.
const QPolygonF unitShape({{0, 0}, {1, 0}, {1, 0.5}, {0.5, 1}, {0, 1}});

} // namespace

ResizeHandle::ResizeHandle(ResizeEdge edge, bool drawn, QWidget *parent)
    : QWidget(parent), m_edge(edge), m_drawn(drawn)
{
    setCursor(edgeCursor(edge));
    fitToParent();
}

int ResizeHandle::scaleFactor(int parentSide)
{
    const int third = parentSide / 3;
    return third >= 10 ? qMin(third, 40) : parentSide / 2;
}

bool ResizeHandle::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitToParent();
    return QWidget::eventFilter(watched, event);
}

void ResizeHandle::paintEvent(QPaintEvent *)
{
    if (!m_drawn)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(m_polygon);
}

void ResizeHandle::fitToParent()
{
    const QWidget *parent = parentWidget();
    if (!parent)
        return;
    const int width = parent->width();
    const int height = parent->height();
    QTransform rotation;
    rotation.rotate(edgeRotation(m_edge));
    const bool right = m_edge == ResizeEdge::TopRight || m_edge == ResizeEdge::BottomRight;
    const bool bottom = m_edge == ResizeEdge::BottomLeft || m_edge == ResizeEdge::BottomRight;
    const QTransform placement = QTransform::fromScale(scaleFactor(width), scaleFactor(height))
                                 * rotation
                                 * QTransform::fromTranslate(right ? width : 0,
                                                             bottom ? height : 0);
    const QPolygon shape = placement.map(unitShape).toPolygon();
    const QRect bounds = shape.boundingRect();
    setGeometry(bounds);
    m_polygon = shape.translated(-bounds.topLeft());
    setMask(QRegion(m_polygon));
}

ResizeHandles makeResizeHandles(ResizeEdges edges, ResizeEdges drawnEdges, QWidget *parent)
{
    ResizeHandles handles;
    for (ResizeEdge edge : {ResizeEdge::Top, ResizeEdge::TopLeft, ResizeEdge::TopRight,
                            ResizeEdge::BottomLeft, ResizeEdge::BottomRight}) {
        if (!edges.testFlag(edge))
            continue;
        auto *handle = new ResizeHandle(edge, drawnEdges.testFlag(edge), parent);
        parent->installEventFilter(handle);
        handles.append(handle);
    }
    return handles;
}

void deleteHandles(ResizeHandles &handles)
{
    qDeleteAll(handles);
    handles.clear();
}

void installFilterOnHandles(const ResizeHandles &handles, QObject *filter)
{
    for (ResizeHandle *handle : handles)
        handle->installEventFilter(filter);
}

void showHandles(const ResizeHandles &handles)
{
    for (ResizeHandle *handle : handles)
        handle->show();
}

void hideHandles(const ResizeHandles &handles)
{
    for (ResizeHandle *handle : handles)
        handle->hide();
}

void raiseHandles(const ResizeHandles &handles)
{
    for (ResizeHandle *handle : handles)
        handle->raise();
}
