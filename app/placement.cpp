#include "app/placement.h"

#include "app/scrivelapp.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint centredInside(const QSize &frame, const QRect &reference, const QRect &available)
{
    int x = reference.left() + ((reference.width() - frame.width()) >> 1);
    int y = reference.top() + ((reference.height() - frame.height()) >> 1);
    if (x + frame.width() > available.right())
        x = available.right() - frame.width();
    if (x < available.left())
        x = available.left();
    if (y + frame.height() > available.bottom())
        y = available.bottom() - frame.height();
    if (y < available.top())
        y = available.top();
    return QPoint(x, y);
}

void placeOverPanel(QWidget *window)
{
    QRect reference;
    QRect available;
    QWidget *panel = ScrivelApp::instance() ? ScrivelApp::instance()->panelWindow() : nullptr;
    if (panel) {
        reference = panel->frameGeometry();
        QScreen *screen = panel->screen();
        available = screen ? screen->availableGeometry() : reference;
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        available = reference = screen->availableGeometry();
    }
    window->move(centredInside(window->frameGeometry().size(), reference, available));
}
