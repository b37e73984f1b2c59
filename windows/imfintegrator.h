#pragma once

#include "platform/wintypes.h"
#include "windows/imfintegratorbase.h"
#include "windows/mousehookmanager.h"

#include <QBasicTimer>
#include <QHash>
#include <QList>

#include <functional>
#include <memory>

class InkCollectorWrapper;

// Types the panel's result into the application the user writes for, keeps that application's
// window known while the panel is used, carries the mouse hook and the pen ink collectors.
class IMFIntegrator : public IMFIntegratorBase
{
    Q_OBJECT
public:
    explicit IMFIntegrator(QObject *parent = nullptr);
    ~IMFIntegrator() override;

    // Brings the target window to the foreground; false when there is none or it was refused.
    bool activateTarget();
    // Presses the keys, an optional character key, and releases the keys in reverse order;
    // false when an input was refused.
    bool sendKeyCombination(const QList<int> &keys, const ushort *character);
    // The application's filter for every Windows message; true when handled, `result` set.
    bool filterWindowsMessage(MSG *message, LRESULT *result);
    // Seen by the panel's windows for every message they receive; always false.
    bool handleActivationMessage(MSG *message, LRESULT *result);

    bool installMouseHook(bool install);
    void startHookWatchdog(int msec);

    // The two pen ink collectors.
    enum InkSlot : int { PadInk, FullScreenInk };
    // Asks for the slot's ink collector on the view.
    void setupInk(InkSlot slot, QWidget *view);
    bool enableInk(InkSlot slot, bool enable);

    void setDecimalSeparator(const QString &separator);
    // The application's display state, asked for by the activation handling.
    void setAppStateQuery(std::function<int()> query);

    QString pendingText() const { return m_pendingText; }
    HWND targetWindow() const { return m_target; }

public slots:
    void update(const RecognitionResult &result) override;
    bool sendInput() override;
    // Writes the hook mode the sender asks for; the watch mode when the quick-access icon goes.
    bool writeHookMode(bool isDelete);
    bool writeHookMode();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void fillSpecialKeys();
    void watchForeground();
    QString textToType() const;
    bool typeText(const QString &text);
    bool typeUnit(ushort unit);
    void trackActivation(const MSG *message, HWND foreground);
    void attachToTarget(HWND foreground);
    // Binds the pending collectors; retry first takes the one whose release failed.
    void bindPendingInk(bool retry);
    bool nextInkSlot(bool retry, int *slot) const;

    HWND m_ownWindow = nullptr;
    HWND m_target = nullptr;
    HWND m_previousTarget = nullptr;
    HWND m_taskbar = nullptr;
    QBasicTimer m_foregroundTimer;
    QBasicTimer m_hookWatchdog;
    QBasicTimer m_inkTimer;
    QString m_pendingText;
    QHash<QString, QList<int>> m_specialKeys;
    QList<int> m_extendedKeys;
    MouseHookManager m_hooks;
    std::unique_ptr<InkCollectorWrapper> m_ink[2];
    QPointer<QWidget> m_pendingInkView[2];
    bool m_calcResult = false;
    QString m_solverText;
    std::function<int()> m_appState;
};
