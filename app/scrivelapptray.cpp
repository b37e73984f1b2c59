// ScrivelApp: the tray icon and the program's accessibility (tray menu and mouse hook).

#include "app/scrivelapp.h"

#include "app/traytooltip.h"
#include "panel/mainframe.h"
#include "windows/imfintegrator.h"

#include <algorithm>

namespace {

const char trayImage[] = ":/data/images/scrivel_ico48.png";

} // namespace

void ScrivelApp::createTrayIcon()
{
    delete m_trayIcon;
    const QIcon icon(QString::fromLatin1(trayImage));
    m_trayIcon = new QSystemTrayIcon(icon, m_panel);
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    const QLocale writing = panel ? panel->currentWritingLocale() : QLocale();
    m_trayIcon->setToolTip(trayToolTip(writing));
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &ScrivelApp::emitActivationReason);
    m_openDialogs = 0;
    connect(this, &ScrivelApp::generalDialogEvent, m_trayIcon, [this](bool shown) {
        m_openDialogs = std::max(0, m_openDialogs + (shown ? 1 : -1));
        attachTrayMenu(m_openDialogs == 0);
    });
    if (!panel)
        return;
    connect(panel, &MainFrame::languageChanged, m_trayIcon, [this, panel] {
        m_trayIcon->setToolTip(trayToolTip(panel->currentWritingLocale()));
    });
    panel->setWindowIcon(icon);
}

void ScrivelApp::attachTrayMenu(bool attach)
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    m_trayIcon->setContextMenu(attach && panel ? panel->contextMenu() : nullptr);
}

void ScrivelApp::showTrayIcon()
{
    if (!m_trayIcon)
        return;
    attachTrayMenu(m_openDialogs == 0);
    m_trayIcon->show();
}

void ScrivelApp::emitActivationReason(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        emit trayIconTriggerActivation();
}

void ScrivelApp::reactivateTrayIcon()
{
    if (!m_trayIcon)
        return;
    m_trayIcon->hide();
    m_trayIcon->show();
}


void ScrivelApp::appAccessibilityChangedEvent(bool on)
{
    if (on) {
        showTrayIcon();
    } else if (m_trayIcon) {
        m_trayIcon->setContextMenu(nullptr);
    }
    m_integrator->installMouseHook(on);
}
