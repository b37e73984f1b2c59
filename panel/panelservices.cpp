#include "panel/panelservices.h"

#include "lang/localeprefs.h"
#include "platform/desktop.h"
#include "windows/winutils.h"

#include <QWidget>

namespace {
PanelServices *installed = nullptr;
}

PanelServices::PanelServices(QObject *parent)
    : PadServices(parent)
{
}

PanelServices::~PanelServices()
{
    if (installed == this)
        installed = nullptr;
}

PanelServices *PanelServices::instance()
{
    if (!installed)
        qFatal("PanelServices::instance(): no services are installed; the application (or "
               "the test) installs them with PanelServices::setInstance before it makes a panel");
    return installed;
}

bool PanelServices::isInstalled()
{
    return installed;
}

void PanelServices::setInstance(PanelServices *services)
{
    PanelServices *previous = installed;
    installed = services;
    if (services)
        PadServices::setInstance(services);
    else if (previous && PadServices::instance() == previous)
        PadServices::setInstance(nullptr);
}

void PanelServices::setPanelWindow(QWidget *panel)
{
    m_panel = panel;
}

QRect PanelServices::panelGeometry() const
{
    return m_panel ? m_panel->geometry() : QRect();
}

QRect PanelServices::screenRect() const
{
    return availableGeometry();
}

IMFIntegratorBase *PanelServices::integrator() const
{
    return m_integrator;
}

void PanelServices::setIntegrator(IMFIntegratorBase *integrator)
{
    m_integrator = integrator;
}

bool PanelServices::saveInk() const
{
    return m_saveInk;
}

void PanelServices::setSaveInk(bool on)
{
    m_saveInk = on;
}

bool PanelServices::dockingMode() const
{
    return m_docked;
}

void PanelServices::setDockingMode(bool docked)
{
    m_docked = docked;
}

bool PanelServices::showKeypad() const
{
    return m_showKeypad;
}

void PanelServices::setShowKeypad(bool shown)
{
    m_showKeypad = shown;
}

QString PanelServices::applicationFolder() const
{
    return applicationPath(ProgramFolder);
}

void PanelServices::saveSettings()
{
    ++m_savedSettings;
}

void PanelServices::runExitSequence()
{
    m_exitRequested = true;
}

void PanelServices::loadSettings(LocalePrefs *languages, int *lastMode)
{
    *languages = LocalePrefs();
    *lastMode = 1;
}

void PanelServices::saveInputWidgetSettings(InputWidget *) {}

void PanelServices::loadInputWidgetSettings(InputWidget *) {}

BehaviourSettings PanelServices::behaviour() const
{
    return m_behaviour;
}

ItemStyle PanelServices::itemStyle() const
{
    return m_style;
}

AppPreferences PanelServices::preferences() const
{
    AppPreferences prefs;
    prefs.style = m_style;
    prefs.behaviour = m_behaviour;
    prefs.behaviour.dockingMode = m_docked;
    prefs.behaviour.showKeypad = m_showKeypad;
    prefs.windowedPosition = m_windowedPosition;
    prefs.windowedSize = m_windowedSize;
    prefs.dockedHeightWindowed = m_dockedHeight;
    prefs.floatingMenuPosition = m_floatingMenuPosition;
    prefs.dictionaries = m_dictionaries;
    for (const QStringList &words : m_dictionaries)
        prefs.allWords += words;
    return prefs;
}

void PanelServices::setPreferences(const AppPreferences &preferences)
{
    m_style = preferences.style;
    m_behaviour = preferences.behaviour;
    m_docked = preferences.behaviour.dockingMode;
    m_showKeypad = preferences.behaviour.showKeypad;
    m_windowedPosition = preferences.windowedPosition;
    m_windowedSize = preferences.windowedSize;
    m_dockedHeight = preferences.dockedHeightWindowed;
    m_floatingMenuPosition = preferences.floatingMenuPosition;
    m_dictionaries = preferences.dictionaries;
}

void PanelServices::placeDialog(QWidget *dialog)
{
    if (!m_panel)
        return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(m_panel->frameGeometry().center());
    dialog->move(frame.topLeft());
}

void PanelServices::announceDialog(bool) {}

QRect PanelServices::availableGeometry() const
{
    return Desktop::instance()->availableGeometry(0);
}

QRect PanelServices::desktopGeometry() const
{
    QRect all;
    for (int screen = 0; screen < Desktop::instance()->screenCount(); ++screen)
        all = all.united(Desktop::instance()->availableGeometry(screen));
    return all;
}

QPoint PanelServices::windowedPosition() const
{
    return m_windowedPosition;
}

void PanelServices::setWindowedPosition(const QPoint &position)
{
    m_windowedPosition = position;
}

QPoint PanelServices::floatingMenuPosition() const
{
    return m_floatingMenuPosition;
}

void PanelServices::setFloatingMenuPosition(const QPoint &position)
{
    m_floatingMenuPosition = position;
}

QSize PanelServices::windowedSize() const
{
    return m_windowedSize;
}

void PanelServices::setWindowedSize(const QSize &size)
{
    m_windowedSize = size;
}

int PanelServices::dockedHeight() const
{
    return m_dockedHeight;
}

void PanelServices::setDockedHeight(int height)
{
    m_dockedHeight = height;
}

bool PanelServices::inTraining() const
{
    return m_inTraining;
}

void PanelServices::setInTraining(bool training)
{
    m_inTraining = training;
}

void PanelServices::setExitError(int code, const QString &)
{
    m_exitCode = code;
}

int PanelServices::protectedLine() const
{
    return -1;
}
