#pragma once

#include "pad/minikeyboard.h"
#include "panel/apppreferences.h"
#include "panel/floatingmenu.h"

#include <QObject>
#include <QPointer>

class ScrivelApp;

// Full-screen writing's tool bar, the floating menu, and whether full-screen writing holds a
// quick-access icon.
class FullScreenWriting : public QObject
{
    Q_OBJECT

public:
    FullScreenWriting(ScrivelApp *app, AppPreferences *preferences);

    FloatingMenu *floatingMenu() const { return m_floatingMenu; }
    MiniKeyboard *floatingMiniKeyboard() const { return m_floatingMiniKeyboard; }
    bool isFloatingMenuShown() const { return m_floatingMenu && m_floatingMenu->isVisible(); }
    // The quick-access icon is not built yet: the checks keep whether full-screen writing
    // holds one and the state it would start in.
    bool holdsFullScreenQuickAccess() const { return m_fullScreenQuickAccess; }
    int quickAccessSyncState() const { return m_quickAccessSyncState; }

public slots:
    // Assembles the full-screen tool bar from the skin and wires it to the panel and the
    // current writing pad; once per panel window, as the bar takes the panel's skin pieces.
    void createFloatingMenuBar();
    // The floating menu's pointer mode: the full-screen quick-access check with `toggled`.
    void checkPlatformForStateMachineBehaviour(bool toggled);
    // The floating menu is what full-screen writing shows while nothing is written: shown in
    // pointer mode at its stored place, by default 10 pixels inside the bottom-right corner of
    // the primary screen's work area.
    void showFullScreenFloatingMenu();
    void hideFullScreenFloatingMenu();
    // A hide request or a tray click in FullScreenHidden shows a hidden floating menu and
    // hides a shown one; a quick-access click only shows it.
    void checkFloatingMenuStateForTransitionBehaviour(bool quickAccessClick);
    // Full-screen writing holds a full-screen quick-access icon when `start` (inverted when
    // the floating menu's write button asks), none otherwise.
    void checkInputForQuickAccessBehaviourFullScreen(bool start = false, int syncState = 0);

private:
    void attachFloatingMiniKeyboard();

    ScrivelApp *m_app;
    AppPreferences *m_preferences;
    QPointer<FloatingMenu> m_floatingMenu;
    QPointer<MiniKeyboard> m_floatingMiniKeyboard;
    QPointer<QWidget> m_floatingMenuPanel;
    bool m_fullScreenQuickAccess = false;
    int m_quickAccessSyncState = 0;
};
