#pragma once

#include <QEvent>
#include <QPointF>

#include <functional>

// A pen point posted by an ink collector to a writing view, in hundredths of a millimetre.
class RTScrivelEvent : public QEvent
{
public:
    enum Kind { Press = 0, Move = 1, Release = 2 };
    using Factory = std::function<QEvent *(Kind kind, const QPointF &point)>;

    RTScrivelEvent(Kind kind, const QPointF &point);

    Kind kind() const { return m_kind; }
    QPointF point() const { return m_point; }

    // The event posted for a pen point: made by the factory that the writing surface installs
    // at start-up, else an RTScrivelEvent of its own type.
    static QEvent *make(Kind kind, const QPointF &point);
    static void setFactory(Factory factory);
    // The event types of RTScrivelEvent, registered together in the order press, move, release.
    static QEvent::Type eventType(Kind kind);

private:
    Kind m_kind;
    QPointF m_point;
};
