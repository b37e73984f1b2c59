#include "app/scrivelapp.h"

#include <QWidget>

ScrivelApp::ScrivelApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
}

ScrivelApp::~ScrivelApp() = default;

ScrivelApp *ScrivelApp::instance()
{
    return qobject_cast<ScrivelApp *>(QCoreApplication::instance());
}

void ScrivelApp::setPanelWindow(QWidget *panel)
{
    m_panel = panel;
}

void ScrivelApp::setLockHiding(bool lock)
{
    m_lockHiding = lock;
}
