#pragma once

#include "panel/apppreferences.h"
#include "app/commandline.h"
#include "app/fullscreenwriting.h"
#include "app/panelfader.h"
#include "app/panelslider.h"
#include "lang/localeprefs.h"
#include "recognition/inputmode.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QStateMachine>
#include <QWidget>
#include <QSystemTrayIcon>

class InputWidget;
class Updater;
class IMFIntegrator;
class MainFrame;
class SettingsDocument;
class ThreadedLocalServer;

// The application object: owns the panel window, the tray icon and the window-state machine,
// keeps the preferences, and runs the exit sequence. Sliding, fading and full-screen writing
// keep their own state in the objects it wires to the machine.
class ScrivelApp : public QApplication
{
    Q_OBJECT

public:
    // Numbers of the window states, read through currentState().
    enum State : int {
        OsCheckState = 0,
        HiddenState = 3,
        ShownTransparentState = 4,
        FullScreenHiddenState = 5,
        ShownWindowedState = 6,
        ShownSemiSlidState = 7,
        ShownFullySlidState = 8,
        ShownUnderDialogState = 9,
        ExitScrivelState = 10,
        ShownLoginState = 11
    };
    // The previous state under a dialog that opened over the shown panel.
    static constexpr int DialogOverShownPanel = 12;

    // Durations of the window-state animations and timers, in milliseconds.
    struct BehaviourTimings
    {
        int slideLeg = 1000;
        int slideBack = 2000;
        int fadeStart = 2000;
        int fade = 2000;
        int autoHide = 10000;
    };

    ScrivelApp(int &argc, char **argv);
    ~ScrivelApp() override;

    // The running application object, or null when the QApplication is of another kind.
    static ScrivelApp *instance();

    QWidget *panelWindow() const { return m_panel; }
    void setPanelWindow(QWidget *panel);
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    FullScreenWriting *fullScreenWriting() { return &m_fullScreen; }
    FloatingMenu *floatingMenu() const { return m_fullScreen.floatingMenu(); }
    MiniKeyboard *floatingMiniKeyboard() const { return m_fullScreen.floatingMiniKeyboard(); }
    bool holdsFullScreenQuickAccess() const { return m_fullScreen.holdsFullScreenQuickAccess(); }
    int quickAccessSyncState() const { return m_fullScreen.quickAccessSyncState(); }
    // The output integrator, which types the panel's text into the focused window.
    IMFIntegrator *integrator() const { return m_integrator; }

    void setBehaviourTimings(const BehaviourTimings &timings) { m_timings = timings; }
    const BehaviourTimings &behaviourTimings() const { return m_timings; }
    // The tab that stands for the panel while it is slid to a screen edge.
    SvgUIButton *sliderButton() const { return m_slider.sliderButton(); }
    QPoint slideTarget() const { return m_slider.slideTarget(); }
    bool isHidingLocked() const { return m_lockHiding; }
    void setLockHiding(bool lock);

    const AppPreferences &preferences() const { return m_preferences; }
    void setPreferences(const AppPreferences &preferences) { m_preferences = preferences; }
    bool saveInk() const { return m_saveInk; }
    void setSaveInk(bool on) { m_saveInk = on; }

    // The native store: the organisation and application names of the application object. A
    // store that cannot be written is reported to the user once.
    void saveSettings();
    // Fills the preferences from the store and gives the languages and the input mode to
    // start with; then reads the dictionaries. A store file that cannot be read is kept aside
    // and reported, and the defaults are read in its place.
    void loadSettings(LocalePrefs *locale, int *inputMode);
    // What a panel being made reads: the first time, all of loadSettings; once the preferences
    // have been read they are kept as they are in memory, and only the panel's languages and
    // input mode come from the store.
    void loadPanelSettings(LocalePrefs *locale, int *inputMode);
    // The settings file: the subset of the preferences written to or read from an XML file;
    // false with the reason in `error` when the file cannot be written, or cannot be read as
    // settings of this version (then nothing is applied).
    bool exportSettings(const QString &fileName, QString *error = nullptr);
    bool importSettings(const QString &fileName, QString *error = nullptr);
    void saveSettingsSubset(SettingsDocument *document);
    // Applies a subset of this version to the running application and stores all settings;
    // a subset of another version changes nothing (false).
    bool applySettingsSubset(const SettingsDocument &document);
    // A first instance's settings options, once the panel is built: reads the "--loadsettings"
    // file, applies the "--set" values, then writes the "--savesettings" file; a file that
    // fails is named in the log.
    void carryOutSettingsOptions(const ParsedArguments &arguments);
    // The personal and the common word lists, read afresh.
    void loadDictionaries();
    // The input widget's own sub-group of the store, named after its mode.
    void loadInputWidgetSettings(InputWidget *widget);
    void saveInputWidgetSettings(InputWidget *widget);

    // Builds the panel, the tray icon and the machine; the start state follows `options`.
    QStateMachine *buildStateMachine(const QList<CommandLineOption> &options);
    void setStateMachine(QStateMachine *machine) { m_machine = machine; }
    QStateMachine *stateMachine() const { return m_machine; }
    int currentState() const;
    int previousState() const { return m_previousState; }
    int previousSubstate() const { return m_previousSubstate; }
    bool isPanelHiddenState() const;
    bool isFullScreenState() const;

    // The single-instance server, owned by the application from here on.
    ThreadedLocalServer *localServer() const { return m_localServer; }
    void setLocalServer(ThreadedLocalServer *server);
    // Whether the last change to windowed or to the shown cursor came from a second instance.
    bool remoteRequest() const { return m_remoteRequest; }

    int exitCode() const { return m_exitCode; }
    void setExitError(int code, const QString &detail);
    // The message that the exit sequence shows for a code; empty for none.
    static QString exitMessage(int code, const QString &detail);

signals:
    void swChecked();
    void startShowing();
    // Leaving transparent writing with (true) or without text; the cursive pad reports where
    // its ink lies.
    void newStateFromTransparentWithText(bool withText);
    // Leaving the panel for transparent writing with text.
    void newStateFromWindowWithText();
    void exitApp();
    void appDialogEvent();
    void trayIconTriggerActivation();
    void quickAccessButtonClicked();
    void showFullScreenMode();
    void layoutTimeLineFinished();
    void showWindowed();
    void emptyFullScreenWritepadEvent();
    void sendWrittenText();
    void hideApplication();
    void writeButtonClicked();
    void editButtonClicked();
    void isNotVsdMoveBeforeWritingInApp();
    void hideApp();
    void animationFinishedFullySlide();
    void showFullScreenHiddenMode();
    void showShownTransparentMode();
    void animationFinished();
    void animationFinishedSemiSlide();
    void semiSlid();
    void generalDialogShownWindowedEvent();
    void showLogin();
    void startShownWindowed();
    // A dialog or message box was shown (true) or hidden (false).
    void generalDialogEvent(bool shown);
    // A settings subset turns the panel's keypad on or off.
    void toggleMiniKeyboard(bool shown);

public slots:
    void checkSW();
    void changeStateProperty();
    void setPreviousState();
    void setPreviousSubstate();
    void emitActivationReason(QSystemTrayIcon::ActivationReason reason);
    void reactivateTrayIcon();
    void scheduleExitSequence();
    void runExitSequence();
    // The windowed group's answer to a full-screen request: transparent writing when the pad
    // holds a result, the floating menu alone otherwise.
    void checkInkForNextFullScreenState();
    // A send from the floating menu in transparent writing ends it.
    void checkStateForSendActionBehaviour();
    // Writing started in a full-screen state: the full-screen view shows, with the menu.
    void showForFullScreenWriting();
    void notifyStartShowingTransparent();
    // A layout ended in transparent writing: the minimal interface follows the ink.
    void notifyNewStateFromTransparentWithText();
    // Carries out a second instance's command and answers it through `server`.
    void messageReceived(const QString &command, ThreadedLocalServer *server);

    // On: the tray icon shows with the panel's menu and the mouse hook runs; off (under a
    // dialog): the tray icon offers no menu and no hook runs.
    void appAccessibilityChangedEvent(bool on);
    void disconnectCheckCursorPosition();
    void noAnimationHideBehaviour();
    void showingFromSlide();
    void showingNotFromSlide();
    void showShownWindowed();

private slots:
    void enterHiddenState();
    void enterShownSemiSlidState();
    void enterShownFullySlidState();
    void enterShownWindowedState();
    void checkModeForHideBehaviour();
    void enterFullScreenHiddenState();
    void enterShownTransparentState();
    void enterShownUnderDialogState();
    void enterExitScrivelState();
    void enterShownLoginState();
    void checkPreviousStateForSettingOutStateUnderDialog(bool shown);
    void lastExitSequencePart();

private:
    // Logs the text and shows it in a warning box from the event loop.
    void reportSettingsProblem(const QString &text);
    void setAsideUnreadableSettings();
    void createMainFrame();
    void createTrayIcon();
    void attachFloatingMiniKeyboard();
    void showTrayIcon();
    // While a dialog is open the tray icon offers no menu.
    void attachTrayMenu(bool attach);
    void hidePanel();
    void raiseFullScreenWindows();
    Updater *padUpdater() const;
    void clearPanel();
    bool padHoldsResult() const;
    void removePadRect();
    // Stops the slides and gives the panel's windowed rectangle; slideTarget becomes its place.
    QRect prepareShowing();
    int currentInputMode() const;
    // Whether one of the program's dialogs or message boxes is on screen.
    static bool isDialogShown();

    QPointer<QWidget> m_panel;
    BehaviourTimings m_timings;
    QPointer<QSystemTrayIcon> m_trayIcon;
    int m_openDialogs = 0;
    IMFIntegrator *m_integrator = nullptr;
    QPointer<QStateMachine> m_machine;
    QHash<const QObject *, int> m_stateNumbers;
    QHash<const QObject *, int> m_previousNumbers;
    QHash<const QObject *, int> m_substateNumbers;
    int m_previousState = HiddenState;
    int m_previousSubstate = 3;
    bool m_lockHiding = false;
    AppPreferences m_preferences;
    bool m_saveInk = false;
    // The autostart entry as last read; it is written only when the user changed it.
    bool m_autostartStored = false;
    bool m_preferencesRead = false;
    bool m_saveFailureReported = false;
    // The mode the panel started with; the login mode's keyboard does not replace it.
    int m_startInputMode = CursiveMode;
    bool m_loginMode = false;
    int m_exitCode = 0;
    QString m_exitDetail;
    ThreadedLocalServer *m_localServer = nullptr;
    bool m_remoteRequest = false;
    PanelSlider m_slider{this};
    PanelFader m_fader{this};
    FullScreenWriting m_fullScreen{this, &m_preferences};
};
