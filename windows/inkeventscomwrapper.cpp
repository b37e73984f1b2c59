#include "windows/inkeventscomwrapper.h"

#include "platform/winapi.h"

#include <QCoreApplication>

namespace {

bool isOneDimensionalI4Array(const VARIANT &data)
{
    VARTYPE vt = VT_EMPTY;
    return (data.vt & VT_ARRAY) && !(data.vt & VT_BYREF) && data.parray
           && SafeArrayGetDim(data.parray) == 1
           && SUCCEEDED(SafeArrayGetVartype(data.parray, &vt)) && vt == VT_I4;
}

bool readValue(SAFEARRAY *array, long long index, LONG *value)
{
    LONG i = LONG(index);
    return SUCCEEDED(SafeArrayGetElement(array, &i, value));
}

} // namespace

QList<QPointF> InkEventsCOMWrapper::packetPoints(const DISPPARAMS *params)
{
    if (!params || params->cArgs < 2 || !params->rgvarg)
        return {};
    const VARIANT &data = params->rgvarg[0];
    const VARIANT &count = params->rgvarg[1];
    if (count.vt != VT_I4 || count.lVal <= 0 || !isOneDimensionalI4Array(data))
        return {};
    LONG lower = 0;
    LONG upper = 0;
    if (FAILED(SafeArrayGetLBound(data.parray, 1, &lower))
        || FAILED(SafeArrayGetUBound(data.parray, 1, &upper)))
        return {};
    const long long perPacket = ((long long)upper - lower + 1) / count.lVal;
    if (perPacket < 2)
        return {};
    QList<QPointF> points;
    for (long long packet = 0; packet < count.lVal; ++packet) {
        const long long first = lower + packet * perPacket;
        LONG x = 0;
        LONG y = 0;
        if (!readValue(data.parray, first, &x) || !readValue(data.parray, first + 1, &y))
            break;
        points << QPointF(x, y);
    }
    return points;
}

void InkEventsCOMWrapper::cursorButtonDown(DISPPARAMS *)
{
    if (m_strokeState == Idle)
        m_strokeState = ButtonDown;
}

void InkEventsCOMWrapper::newPackets(DISPPARAMS *params)
{
    for (const QPointF &point : packetPoints(params)) {
        m_lastPoint = point;
        post(m_strokeState == ButtonDown ? RTScrivelEvent::Press : RTScrivelEvent::Move, point);
        m_strokeState = Stroking;
    }
}

void InkEventsCOMWrapper::stroke(DISPPARAMS *)
{
    endStroke();
}

void InkEventsCOMWrapper::cursorButtonUp(DISPPARAMS *)
{
    endStroke();
}

void InkEventsCOMWrapper::endStroke()
{
    if (m_strokeState == Stroking)
        post(RTScrivelEvent::Release, m_lastPoint);
    m_strokeState = Idle;
}

void InkEventsCOMWrapper::post(RTScrivelEvent::Kind kind, const QPointF &point)
{
    if (QWidget *target = view())
        QCoreApplication::postEvent(target, RTScrivelEvent::make(kind, point),
                                    Qt::HighEventPriority);
}
