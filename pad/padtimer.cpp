#include "pad/padtimer.h"

#include "pad/padclock.h"

#include <QTimer>

PadTimer::PadTimer(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &PadTimer::fire);
}

PadTimer::~PadTimer()
{
    PadClock::removeTimer(this);
}

void PadTimer::start(int ms)
{
    m_interval = qMax(0, ms);
    start();
}

void PadTimer::start()
{
    stop();
    if (PadClock::isFrozen()) {
        m_frozenActive = true;
        m_due = PadClock::frozenMsecs() + m_interval;
        PadClock::addTimer(this);
    } else {
        m_timer->start(m_interval);
    }
}

void PadTimer::stop()
{
    m_timer->stop();
    m_frozenActive = false;
    PadClock::removeTimer(this);
}

bool PadTimer::isActive() const
{
    return m_frozenActive || m_timer->isActive();
}

int PadTimer::remainingTime() const
{
    if (m_frozenActive)
        return int(qMax<qint64>(0, m_due - PadClock::frozenMsecs()));
    return m_timer->isActive() ? m_timer->remainingTime() : -1;
}

void PadTimer::fire()
{
    if (m_frozenActive) {
        if (m_singleShot)
            stop();
        else
            m_due = PadClock::frozenMsecs() + qMax(1, m_interval);
    } else if (!m_singleShot) {
        m_timer->start(m_interval);
    }
    emit timeout();
}
