#pragma once

#include "windows/inkcollectorevents.h"
#include "windows/rtscrivelevent.h"

#include <QList>
#include <QPointF>

// Turns a collector's buttons, packets and strokes into pen press, move and release events
// posted to the bound view.
class InkEventsCOMWrapper : public InkCollectorEvents
{
public:
    enum StrokeState { Idle = 0, ButtonDown = 1, Stroking = 2 };

    StrokeState strokeState() const { return m_strokeState; }

    // The points of a packet event: x and y, the first two values of each packet; none when
    // the arguments are not a packet count and a one-dimensional array of VT_I4 values with
    // at least two values per packet.
    static QList<QPointF> packetPoints(const DISPPARAMS *params);

protected:
    void stroke(DISPPARAMS *params) override;
    void newPackets(DISPPARAMS *params) override;
    void cursorButtonDown(DISPPARAMS *params) override;
    void cursorButtonUp(DISPPARAMS *params) override;

private:
    void endStroke();
    void post(RTScrivelEvent::Kind kind, const QPointF &point);

    StrokeState m_strokeState = Idle;
    QPointF m_lastPoint;
};
