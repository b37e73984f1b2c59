#include "panel/panelservices.h"

#include "windows/winutils.h"

namespace {
PanelServices *installed = nullptr;
}

PanelServices::PanelServices(QObject *parent)
    : QObject(parent)
{
}

PanelServices::~PanelServices()
{
    if (installed == this)
        installed = nullptr;
}

PanelServices *PanelServices::instance()
{
    static PanelServices fallback;
    return installed ? installed : &fallback;
}

void PanelServices::setInstance(PanelServices *services)
{
    installed = services;
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
