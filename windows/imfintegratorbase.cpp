#include "windows/imfintegratorbase.h"

IMFIntegratorBase::IMFIntegratorBase(QObject *parent) : QObject(parent) {}

void IMFIntegratorBase::setPanelWidget(QWidget *panel)
{
    m_panel = panel;
}

QWidget *IMFIntegratorBase::panelWidget() const
{
    return m_panel;
}

int IMFIntegratorBase::exitDelay(bool) const
{
    return 0;
}

void IMFIntegratorBase::update(const RecognitionResult &) {}

bool IMFIntegratorBase::sendInput()
{
    return false;
}
