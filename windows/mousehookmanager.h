#pragma once

#include "hook/hookprotocol.h"
#include "platform/wintypes.h"

#include <QPoint>

class QObject;
class QWidget;

// The program's side of the mouse hook: loads and binds the hook library by name, installs
// and removes the hook for the panel window and writes the hook mode into the shared block.
class MouseHookManager
{
public:
    MouseHookManager() = default;
    MouseHookManager(const MouseHookManager &) = delete;
    MouseHookManager &operator=(const MouseHookManager &) = delete;
    // Removes the hook and closes the mode block.
    ~MouseHookManager();

    // Install (with a panel and no library loaded) or remove; false after a reported failure.
    bool installMouseHook(bool install, QWidget *panel);
    // Writes the mode into the shared block, creating the block on first use; mode 2 also
    // replays a left click. False when the block cannot be opened, created or mapped.
    bool writeMode(ScrivelHookMode mode);
    bool isInstalled() const { return m_library != nullptr; }

    QPoint lastMouseUp() const { return m_lastMouseUp; }
    void setLastMouseUp(const QPoint &point) { m_lastMouseUp = point; }

    // The mode asked for by a state or transition of the quick-access icon, by its object name.
    static ScrivelHookMode modeForSender(const QObject *sender);

private:
    bool install(QWidget *panel);
    bool remove();
    void unload();

    HMODULE m_library = nullptr;
    HANDLE m_mapping = nullptr;
    QPoint m_lastMouseUp;
    bool m_installWarningShown = false;
};
