#pragma once

#include <QApplication>
#include <QPointer>

class QWidget;

// The application object: owns the panel window and the window-state machine, and relays the
// announcements of dialogs, message boxes and menus to it.
class ScrivelApp : public QApplication
{
    Q_OBJECT

public:
    ScrivelApp(int &argc, char **argv);
    ~ScrivelApp() override;

    // The running application object, or null when the QApplication is of another kind.
    static ScrivelApp *instance();

    QWidget *panelWindow() const { return m_panel; }
    void setPanelWindow(QWidget *panel);

    bool isHidingLocked() const { return m_lockHiding; }
    void setLockHiding(bool lock);

signals:
    // A dialog or message box was shown (true) or hidden (false).
    void generalDialogEvent(bool shown);

private:
    QPointer<QWidget> m_panel;
    bool m_lockHiding = false;
};
