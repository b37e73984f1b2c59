// ScrivelApp: the commands of a second instance, taken from the single-instance server.

#include "app/scrivelapp.h"

#include "app/settingsdocument.h"
#include "app/settingssubset.h"
#include "app/threadedlocalserver.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "scrivel.app.settings")

} // namespace

void ScrivelApp::setLocalServer(ThreadedLocalServer *server)
{
    server->setParent(this);
    m_localServer = server;
}

void ScrivelApp::messageReceived(const QString &command, ThreadedLocalServer *server)
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    const int state = currentState();
    const bool menuShown = m_fullScreen.isFloatingMenuShown();
    if (command == QLatin1String("i")) {
        if (m_panel && m_machine && state != ShownUnderDialogState) {
            m_fader.stopAutoHideTimer();
            emit hideApplication();
        }
        server->reply(QStringLiteral("Hidding"));
    } else if (command == QLatin1String("s")) {
        if (m_panel && m_machine && state != ShownUnderDialogState
            && state != ShownWindowedState && state != ShownTransparentState && !menuShown)
            emit trayIconTriggerActivation();
        server->reply(QStringLiteral("Showing"));
    } else if (command == QLatin1String("t")) {
        server->reply(m_panel && isPanelHiddenState() ? QStringLiteral("Hidden")
                                                      : QStringLiteral("Shown"));
    } else if (command == QLatin1String("q")) {
        runExitSequence();
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("w")) {
        if (isFullScreenState()) {
            m_remoteRequest = true;
            emit showWindowed();
        } else if (m_panel && !m_panel->isVisible()) {
            emit trayIconTriggerActivation();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("x")) {
        if (isFullScreenState()) {
            if (!menuShown)
                emit trayIconTriggerActivation();
        } else {
            if (panel)
                panel->undoEvent(Clear);
            emit showFullScreenMode();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command == QLatin1String("z")) {
        if (state == FullScreenHiddenState && menuShown) {
            m_remoteRequest = true;
            m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(false, 0);
            emit isNotVsdMoveBeforeWritingInApp();
            m_fullScreen.checkInputForQuickAccessBehaviourFullScreen(true, 5);
            if (auto *pad = panel ? qobject_cast<Writepad *>(panel->inputWidget()) : nullptr;
                pad && pad->updater())
                pad->updater()->unsetWritingCursor();
        }
        server->reply(QStringLiteral("Ok"));
    } else if (command.startsWith(QLatin1String("d ")) || command.startsWith(QLatin1String("f "))) {
        const QString fileName = command.mid(2);
        QString error;
        const bool done = command.startsWith(QLatin1Char('d')) ? exportSettings(fileName, &error)
                                                                : importSettings(fileName, &error);
        if (!done)
            qCWarning(lcSettings).noquote() << error;
        server->reply(done ? QStringLiteral("Ok") : QStringLiteral("Fail"));
    } else if (command.startsWith(QLatin1String("u "))) {
        applySettingsSubset(subsetFromValues(command.mid(2)));
        server->reply(QStringLiteral("Ok"));
    }
}
