#pragma once

#include <QEvent>
#include <QPointF>

// A pen point posted by the ink collector to a writing view, in hundredths
// of a millimetre.
class PenEvent : public QEvent
{
public:
    PenEvent(QEvent::Type type, const QPointF &point);

    QPointF point() const { return m_point; }

    // The three types are registered together on first use, in the order
    // press, move, release.
    static void registerEventTypes();
    static QEvent::Type pressType();
    static QEvent::Type moveType();
    static QEvent::Type releaseType();
    static bool isPenEvent(QEvent::Type type);

private:
    QPointF m_point;
};
