#include "skin/monitoring.h"

#include "platform/desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// The least part of a window, in pixels, that must stay on the desktop in each direction.
constexpr int minimumOnScreen = 21;

struct EdgeChange
{
    int width;  // -1, 0 or +1 times dx
    int height; // -1, 0 or +1 times dy
};

EdgeChange edgeChange(ResizeEdge edge)
{
    switch (edge) {
    case ResizeEdge::TopLeft:
        return {-1, -1};
    case ResizeEdge::TopRight:
        return {1, -1};
    case ResizeEdge::BottomLeft:
        return {-1, 1};
    case ResizeEdge::BottomRight:
        return {1, 1};
    case ResizeEdge::Top:
        return {0, -1};
    default:
        return {0, 0};
    }
}

} // namespace

Monitoring::Monitoring(QWidget *window, Mode mode, const QPoint &start, QWidget *target,
                       ResizeEdge edge)
    : QObject(window), m_window(window), m_mode(mode), m_edge(edge), m_start(start),
      m_target(target)
{
    if (target)
        m_targetSize = target->size();
}

void Monitoring::applyDrag(const QPoint &globalPos)
{
    const QPoint delta = globalPos - m_start;
    if (m_mode == Move)
        move(delta);
    else if (m_mode == Resize)
        resize(delta);
}

bool Monitoring::isMostlyOffScreen(const QRect &r) const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    const int screen = m_window ? qMax(0, int(screens.indexOf(m_window->screen()))) : 0;
    const QRect visible = r.intersected(Desktop::instance()->availableGeometry(screen));
    return visible.width() < minimumOnScreen || visible.height() < minimumOnScreen;
}

void Monitoring::move(const QPoint &delta)
{
    const QPoint position = m_origin + delta;
    if (!isMostlyOffScreen(QRect(position, m_window->size())))
        m_window->move(position);
}

void Monitoring::resize(const QPoint &delta)
{
    if (!m_target)
        return;
    const EdgeChange change = edgeChange(m_edge);
    const QSize minimum = m_target->minimumSize();
    const QSize maximum = m_target->maximumSize();
    const int width = qMin(qMax(m_targetSize.width() + change.width * delta.x(),
                                minimum.width()), maximum.width());
    const int height = qMin(qMax(m_targetSize.height() + change.height * delta.y(),
                                 minimum.height()), maximum.height());
    // The opposite edges stay in place.
    const int x = change.width < 0 ? m_origin.x() - (width - m_targetSize.width())
                                   : m_origin.x();
    const int y = change.height < 0 ? m_origin.y() - (height - m_targetSize.height())
                                    : m_origin.y();
    const QRect geometry(x, y, width, height);
    if (isMostlyOffScreen(geometry))
        return;
    m_target->setGeometry(geometry);
    m_target->update();
}
