#include "windows/rtscrivelevent.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

struct EventTypes
{
    QEvent::Type press = QEvent::Type(QEvent::registerEventType());
    QEvent::Type move = QEvent::Type(QEvent::registerEventType());
    QEvent::Type release = QEvent::Type(QEvent::registerEventType());
};

QMutex factoryMutex;
RTScrivelEvent::Factory installedFactory;

} // namespace

RTScrivelEvent::RTScrivelEvent(Kind kind, const QPointF &point)
    : QEvent(eventType(kind)), m_kind(kind), m_point(point)
{
}

QEvent *RTScrivelEvent::make(Kind kind, const QPointF &point)
{
    Factory factory;
    {
        QMutexLocker lock(&factoryMutex);
        factory = installedFactory;
    }
    return factory ? factory(kind, point) : new RTScrivelEvent(kind, point);
}

void RTScrivelEvent::setFactory(Factory factory)
{
    QMutexLocker lock(&factoryMutex);
    installedFactory = std::move(factory);
}

QEvent::Type RTScrivelEvent::eventType(Kind kind)
{
    static const EventTypes types;
    return kind == Press ? types.press : kind == Move ? types.move : types.release;
}
