#include "pad/penevent.h"

namespace {

struct PenEventTypes
{
    QEvent::Type press = QEvent::Type(QEvent::registerEventType());
    QEvent::Type move = QEvent::Type(QEvent::registerEventType());
    QEvent::Type release = QEvent::Type(QEvent::registerEventType());
};

const PenEventTypes &types()
{
    static const PenEventTypes registered;
    return registered;
}

} // namespace

PenEvent::PenEvent(QEvent::Type type, const QPointF &point) : QEvent(type), m_point(point) {}

void PenEvent::registerEventTypes()
{
    types();
}

QEvent::Type PenEvent::pressType()
{
    return types().press;
}

QEvent::Type PenEvent::moveType()
{
    return types().move;
}

QEvent::Type PenEvent::releaseType()
{
    return types().release;
}

bool PenEvent::isPenEvent(QEvent::Type type)
{
    return type == pressType() || type == moveType() || type == releaseType();
}
