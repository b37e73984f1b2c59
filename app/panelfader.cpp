#include "app/panelfader.h"

#include "app/scrivelapp.h"
#include "panel/mainframe.h"

#include <QMenu>
#include <QTimerEvent>

PanelFader::PanelFader(ScrivelApp *app)
    : m_app(app)
{
    connect(&m_fadeLine, &QTimeLine::frameChanged, this, &PanelFader::fadingOut);
    connect(&m_fadeLine, &QTimeLine::finished, this, &PanelFader::startAutoHideTimer);
    m_fadeStartTimer.setSingleShot(true);
    connect(&m_fadeStartTimer, &QTimer::timeout, this, &PanelFader::startFadeTimeLine);
}

PanelFader::~PanelFader()
{
    m_fadeLine.stop();
}

void PanelFader::setPanelOpacity(qreal opacity)
{
    if (QWidget *panel = m_app->panelWindow())
        panel->setWindowOpacity(opacity);
}

void PanelFader::enableAutoHiding()
{
    if (m_app->isFullScreenState() || m_app->currentState() == ScrivelApp::FullScreenHiddenState
        || !m_app->panelWindow())
        return;
    auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow());
    const bool menuShown = panel && panel->contextMenu()->isVisible();
    const bool training = panel && panel->isTraining();
    if (!m_pointerOutside || menuShown || m_app->isHidingLocked() || training)
        return;
    if (m_app->preferences().behaviour.fadeOut && m_fadeLine.state() != QTimeLine::Running)
        m_fadeStartTimer.start(m_app->behaviourTimings().fadeStart);
    else
        startAutoHideTimer();
}

void PanelFader::disableAutoHiding()
{
    setPanelOpacity(0.99);
    m_fadeStartTimer.stop();
    m_fadeLine.stop();
    m_autoHideTimer.stop();
}

void PanelFader::startAutoHideTimer()
{
    m_autoHideTimer.start(m_app->behaviourTimings().autoHide, this);
}

void PanelFader::stopAutoHideTimer()
{
    m_autoHideTimer.stop();
}

void PanelFader::startFadeTimeLine()
{
    m_fadeLine.stop();
    m_fadeLine.setDuration(m_app->behaviourTimings().fade);
    m_fadeLine.setEasingCurve(QEasingCurve::Linear);
    m_fadeLine.setUpdateInterval(20);
    m_fadeLine.setFrameRange(10000, 0);
    m_fadeLine.setCurrentTime(0);
    m_fadeLine.start();
}

// The panel fades during the second half of the line only, from full opacity to 30 %.
void PanelFader::fadingOut(int frame)
{
    const int half = m_fadeLine.frameForTime(m_fadeLine.duration() / 2);
    const int end = m_fadeLine.endFrame();
    if (m_fadeLine.currentTime() < m_fadeLine.duration() / 2 || half == end)
        return;
    setPanelOpacity((100.0 - 70.0 * (frame - half) / (end - half)) / 100.0);
}

void PanelFader::checkCursorPosition(const QPoint &point)
{
    QWidget *panel = m_app->panelWindow();
    if (!panel)
        return;
    const bool inside = panel->geometry().contains(point);
    if (inside && m_pointerOutside) {
        m_pointerOutside = false;
        disableAutoHiding();
    } else if (!inside && !m_pointerOutside) {
        m_pointerOutside = true;
        enableAutoHiding();
    }
}

void PanelFader::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_autoHideTimer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    m_autoHideTimer.stop();
    emit autoHideTimeout();
}
