#pragma once

#include <QObject>

class QTimer;

// A timer of the pad controllers. Started while the pad clock runs on the
// wall clock it is a QTimer; started while the clock is frozen it fires when
// the clock is advanced past its interval. Single-shot unless told otherwise.
class PadTimer : public QObject
{
    Q_OBJECT
public:
    explicit PadTimer(QObject *parent = nullptr);
    ~PadTimer() override;

    void start(int ms);
    void start();
    void stop();
    bool isActive() const;
    int interval() const { return m_interval; }
    void setSingleShot(bool singleShot) { m_singleShot = singleShot; }
    bool isSingleShot() const { return m_singleShot; }
    // Milliseconds left before the timer fires; -1 when it is not active.
    int remainingTime() const;

signals:
    void timeout();

private:
    friend class PadClock;
    qint64 dueMsecs() const { return m_due; }
    void fire();

    QTimer *m_timer;
    int m_interval = 0;
    bool m_singleShot = true;
    bool m_frozenActive = false;
    qint64 m_due = 0;
};
