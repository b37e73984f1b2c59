#pragma once

#include "app/apppreferences.h"
#include "lang/localeprefs.h"

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

    const AppPreferences &preferences() const { return m_preferences; }
    void setPreferences(const AppPreferences &preferences) { m_preferences = preferences; }
    bool saveInk() const { return m_saveInk; }

    // The native store: the organisation and application names of the application object.
    void saveSettings();
    // Fills the preferences from the store and gives the languages and the input mode to
    // start with; then reads the dictionaries.
    void loadSettings(LocalePrefs *locale, int *inputMode);
    // The personal and the common word lists, read afresh.
    void loadDictionaries();

signals:
    // A dialog or message box was shown (true) or hidden (false).
    void generalDialogEvent(bool shown);

private:
    int currentInputMode() const;

    QPointer<QWidget> m_panel;
    bool m_lockHiding = false;
    AppPreferences m_preferences;
    bool m_saveInk = false;
    // The autostart entry as last read; it is written only when the user changed it.
    bool m_autostartStored = false;
};
