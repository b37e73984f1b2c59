#include "pad/padservices.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
PadServices *installed = nullptr;
}

PadServices::PadServices(QObject *parent) : QObject(parent) {}

PadServices::~PadServices()
{
    if (installed == this)
        installed = nullptr;
}

PadServices *PadServices::instance()
{
    static PadServices fallback;
    return installed ? installed : &fallback;
}

void PadServices::setInstance(PadServices *services)
{
    installed = services;
}

bool PadServices::isFullScreenState() const
{
    return false;
}

void PadServices::setupInk(bool, QWidget *) {}

int PadServices::currentInputMode() const
{
    return 0;
}

int PadServices::currentKeypadWidth() const
{
    return 0;
}

void PadServices::showForFullScreenWriting() {}

QLocale PadServices::currentWritingLocale() const
{
    return QLocale();
}

QRect PadServices::panelGeometry() const
{
    return QRect();
}

QRect PadServices::screenRect() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void PadServices::mouseIsOnFloatingMenuEvent(const QPointF &) {}

void PadServices::setWidgetTranslation(int, const QPointF &) {}

void PadServices::setTranslation(const QRectF &) {}

void PadServices::setFullScreenMinGUIWidgetPos(const QRectF &) {}

void PadServices::adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &) {}
