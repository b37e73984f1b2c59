#include "app/scrivelmenu.h"

#include "app/scrivelapp.h"

#include <QMouseEvent>
#include <QTimerEvent>

namespace {

constexpr int GuardMs = 500;

void lockPanelHiding(bool lock)
{
    ScrivelApp *app = ScrivelApp::instance();
    if (app && app->panelWindow())
        app->setLockHiding(lock);
}

} // namespace

ScrivelMenu::ScrivelMenu(QWidget *parent)
    : QMenu(parent)
{
}

ScrivelMenu::ScrivelMenu(const QString &title, QWidget *parent)
    : QMenu(title, parent)
{
}

ScrivelMenu::~ScrivelMenu()
{
    if (m_guard.isActive())
        m_guard.stop();
}

void ScrivelMenu::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_guard.timerId()) {
        QMenu::timerEvent(event);
        return;
    }
    m_guard.stop();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void ScrivelMenu::mousePressEvent(QMouseEvent *event)
{
    if (m_guard.isActive()) {
        event->accept();
        return;
    }
    QMenu::mousePressEvent(event);
}

void ScrivelMenu::showEvent(QShowEvent *event)
{
    if (title() == QLatin1String("languageMenu"))
        setGeometry(QRect(pos(), size()));
    lockPanelHiding(true);
    QMenu::showEvent(event);
    m_guard.start(GuardMs, this);
    emit menuShown(this);
}

void ScrivelMenu::hideEvent(QHideEvent *event)
{
    lockPanelHiding(false);
    QMenu::hideEvent(event);
    emit menuHidden(this);
}
