#pragma once

#include <QObject>
#include <QString>

class IMFIntegratorBase;

// What the panel needs of the application: its output integrator, the panel preferences it
// reads and writes, the save-ink flag, saving the settings and the exit sequence. The
// application installs its own instance before it makes the panel; without one a default
// instance keeps the values in memory.
class PanelServices : public QObject
{
    Q_OBJECT
public:
    explicit PanelServices(QObject *parent = nullptr);
    ~PanelServices() override;

    static PanelServices *instance();
    // The caller keeps ownership; an installed instance unregisters itself when destroyed.
    static void setInstance(PanelServices *services);

    virtual IMFIntegratorBase *integrator() const;
    virtual void setIntegrator(IMFIntegratorBase *integrator);
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
    // Ends the program after the panel closed.
    virtual void runExitSequence();
    bool exitRequested() const { return m_exitRequested; }

private:
    IMFIntegratorBase *m_integrator = nullptr;
    bool m_saveInk = false;
    bool m_docked = false;
    bool m_showKeypad = false;
    int m_savedSettings = 0;
    bool m_exitRequested = false;
};
