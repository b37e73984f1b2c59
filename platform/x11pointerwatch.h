#pragma once

#include <QObject>

class QSocketNotifier;
struct _XDisplay;

// The low-level mouse hooks on an X11 display: XInput 2 raw button and motion events of every
// client, read on a connection of their own and run through the hook chain at the pointer's
// position. X11 delivers them to the clients whatever a hook answers.
class X11PointerWatch final : public QObject
{
public:
    // Watches the display named; isWatching() is false when it cannot.
    explicit X11PointerWatch(const QByteArray &displayName, QObject *parent = nullptr);
    X11PointerWatch(const X11PointerWatch &) = delete;
    X11PointerWatch &operator=(const X11PointerWatch &) = delete;
    ~X11PointerWatch() override;

    bool isWatching() const { return m_notifier != nullptr; }

private:
    void readEvents();

    _XDisplay *m_display = nullptr;
    int m_opcode = 0;
    QSocketNotifier *m_notifier = nullptr;
};
