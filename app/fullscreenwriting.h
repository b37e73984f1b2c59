#pragma once

#include "pad/minikeyboard.h"
#include "pad/scrivelview.h"
#include "panel/apppreferences.h"
#include "panel/floatingmenu.h"

#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QRectF>

class ScrivelApp;
class ScrivelScene;

// Full-screen writing: the borderless view of the panel pad's scene that catches the pen over
// the whole desktop, the floating menu beside the ink, the translations that keep the ink in
// place between the panel and the full screen, and whether a quick-access icon is held.
class FullScreenWriting : public QObject
{
    Q_OBJECT

public:
    FullScreenWriting(ScrivelApp *app, AppPreferences *preferences);

    FloatingMenu *floatingMenu() const { return m_floatingMenu; }
    MiniKeyboard *floatingMiniKeyboard() const { return m_floatingMiniKeyboard; }
    bool isFloatingMenuShown() const { return m_floatingMenu && m_floatingMenu->isVisible(); }
    ScrivelView *getFullScreenInputWidgetView() const { return m_fullScreenView; }
    // The view of the panel's cursive pad, made anew when the pad changed; null while the
    // current input widget is no cursive pad.
    ScrivelView *ensureFullScreenInputWidget();
    bool floatingMenuNeedsPlacement() const { return m_floatingMenuNeedsPlacement; }
    void setFloatingMenuNeedsPlacement(bool needed) { m_floatingMenuNeedsPlacement = needed; }
    // The scene origin of the panel pad's view (0) or of the full-screen view (1).
    QPointF widgetTranslation(int index) const;
    void setWidgetTranslation(int index, const QPointF &point);
    // Where the floating menu goes for a proposed point beside the ink rectangle `rect`:
    // above the ink when it would pass the bottom, and inside the work area.
    QPoint adjustGlobalFloatingMenuPosition(const QRectF &rect, const QPoint &point) const;
    // The quick-access icon is not built yet: the checks keep whether full-screen writing
    // holds one and the state it would start in.
    bool holdsFullScreenQuickAccess() const { return m_fullScreenQuickAccess; }
    int quickAccessSyncState() const { return m_quickAccessSyncState; }

signals:
    // The floating menu's send button is about to send: released over the button, before the
    // panel sends and clears its text.
    void sendRequested();

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
    // A borderless translucent view of `scene` over the maximized rectangle of the preferences.
    void createFullScreenInputWidget(ScrivelScene *scene);
    void showFullScreenInputWidgetView();
    void hideFullScreenInputWidgetView();
    // A pen point on the floating menu hides it; the next placement puts it beside the ink.
    void mouseIsOnFloatingMenuEvent(const QPointF &point);
    // The panel's windowed rectangle follows the ink rectangle `rect` (global), so that the
    // panel shown afterwards frames the ink.
    void setTranslation(const QRectF &rect);
    // Keeps the minimal interface beside the ink: the panel's windowed rectangle and, when it
    // needs placing, the floating menu.
    void setFullScreenMinGUIWidgetPos(const QRectF &rect);
    // Moves the floating menu past an open candidate list (scene rectangle) that covers it.
    void adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &rect);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attachFloatingMiniKeyboard();
    QRect maximizedRect() const;

    ScrivelApp *m_app;
    AppPreferences *m_preferences;
    QPointer<FloatingMenu> m_floatingMenu;
    QPointer<MiniKeyboard> m_floatingMiniKeyboard;
    QPointer<QWidget> m_floatingMenuPanel;
    QPointer<ScrivelView> m_fullScreenView;
    QPointF m_translations[2];
    bool m_floatingMenuNeedsPlacement = true;
    bool m_fullScreenQuickAccess = false;
    int m_quickAccessSyncState = 0;
};
