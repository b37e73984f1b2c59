#pragma once

#include "pad/behavioursettings.h"
#include "pad/itemstyle.h"
#include "pad/padservices.h"
#include "panel/apppreferences.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class IMFIntegratorBase;
class InputWidget;
struct LocalePrefs;

// What the panel needs of the application: its output integrator, the panel preferences it
// reads and writes, the save-ink flag, saving the settings and the exit sequence. The
// application installs its own instance before it makes the panel; a test may install this
// base class, which keeps the values in memory. Asking for the instance while none is
// installed ends the program: a panel run against nothing would lose what it stores without a
// word. An installed instance also serves the writing pads (PadServices) with the panel
// window's geometry and its screen.
class PanelServices : public PadServices
{
    Q_OBJECT
public:
    explicit PanelServices(QObject *parent = nullptr);
    ~PanelServices() override;

    // The installed instance; without one the program ends with a fatal message.
    static PanelServices *instance();
    static bool isInstalled();
    // The caller keeps ownership; an installed instance unregisters itself when destroyed.
    // It is installed as the pads' services too; clearing it leaves pads' services that were
    // installed on their own in place.
    static void setInstance(PanelServices *services);

    // The panel window registers itself; its geometry is the pads' panel geometry.
    void setPanelWindow(QWidget *panel);
    QRect panelGeometry() const override;
    // The work area of the panel's screen.
    QRect screenRect() const override;

    virtual IMFIntegratorBase *integrator() const;
    virtual void setIntegrator(IMFIntegratorBase *integrator);
    // Reads the settings: the writing languages and the last input mode.
    virtual void loadSettings(LocalePrefs *languages, int *lastMode);
    virtual void saveInputWidgetSettings(InputWidget *widget);
    virtual void loadInputWidgetSettings(InputWidget *widget);
    virtual BehaviourSettings behaviour() const;
    // The whole preference record, as the preferences dialog copies it and hands it back;
    // setting it replaces every field.
    virtual AppPreferences preferences() const;
    virtual void setPreferences(const AppPreferences &preferences);
    // Moves a dialog over the panel, and tells the application that one is shown or hidden.
    virtual void placeDialog(QWidget *dialog);
    virtual void announceDialog(bool shown);
    virtual ItemStyle itemStyle() const;
    // The work area of the panel's screen, and the union of every screen's work area.
    virtual QRect availableGeometry() const;
    virtual QRect desktopGeometry() const;
    virtual QPoint windowedPosition() const;
    virtual void setWindowedPosition(const QPoint &position);
    // Where the floating menu was dragged to (settings key "floatingMenuPosition"); storing a
    // dragged position stops the application from placing the menu by itself.
    virtual QPoint floatingMenuPosition() const;
    virtual void setFloatingMenuPosition(const QPoint &position);
    virtual QSize windowedSize() const;
    virtual void setWindowedSize(const QSize &size);
    virtual int dockedHeight() const;
    virtual void setDockedHeight(int height);
    // The y of a screen line the panel keeps clear of; -1 for none.
    virtual int protectedLine() const;
    virtual bool inTraining() const;
    virtual void setInTraining(bool training);
    // Settings key "saveInk".
    virtual bool saveInk() const;
    virtual void setSaveInk(bool on);
    virtual bool dockingMode() const;
    virtual void setDockingMode(bool docked);
    virtual bool showKeypad() const;
    virtual void setShowKeypad(bool shown);
    // The folder that receives "inkFiles"; the program's folder by default.
    virtual QString applicationFolder() const;
    virtual void saveSettings();
    int savedSettingsCount() const { return m_savedSettings; }
    virtual void setExitError(int code, const QString &detail);
    int exitCode() const { return m_exitCode; }
    // Ends the program after the panel closed.
    virtual void runExitSequence();
    bool exitRequested() const { return m_exitRequested; }

private:
    IMFIntegratorBase *m_integrator = nullptr;
    QPointer<QWidget> m_panel;
    BehaviourSettings m_behaviour;
    ItemStyle m_style;
    QList<QStringList> m_dictionaries;
    QPoint m_windowedPosition{100, 100};
    QSize m_windowedSize{600, 200};
    QPoint m_floatingMenuPosition;
    int m_dockedHeight = 250;
    bool m_inTraining = false;
    int m_exitCode = 0;
    bool m_saveInk = false;
    bool m_docked = false;
    bool m_showKeypad = false;
    int m_savedSettings = 0;
    bool m_exitRequested = false;
};
