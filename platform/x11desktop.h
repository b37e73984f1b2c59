#pragma once

#include "platform/wintypes.h"

#include <QObject>
#include <QPoint>

#include <memory>

class X11Keyboard;
class X11PointerWatch;
struct _XDisplay;

// The real desktop behind the Windows calls when the program runs on an X11 display: other
// clients' windows, the focus, typing and clicking through XTest, the pointer and its cursor.
// The program's own windows stay registered with the desktop model; the floating ones are kept
// from ever taking the keyboard focus.
class X11Desktop final : public QObject
{
public:
    // The back end, opened on first use once the application runs on the xcb platform; null
    // when the model answers: another platform, SCRIVEL_PLATFORM=model, or no display.
    static X11Desktop *active();
    // Whether the handle names a window of another client.
    static bool isForeign(HWND window);

    X11Desktop(const X11Desktop &) = delete;
    X11Desktop &operator=(const X11Desktop &) = delete;
    ~X11Desktop() override;

    // The active window: a program window's registered handle, another client's handle, or
    // null when nothing holds the focus.
    HWND foregroundWindow();
    // Activates another client's window; true when it holds the focus afterwards.
    bool activate(HWND window);
    bool isWindow(HWND window);
    bool isVisible(HWND window);
    // The window's process from its _NET_WM_PID (0 when unknown); its thread is the process,
    // or the window itself when the process is unknown.
    DWORD threadProcessId(HWND window, DWORD *processId);
    // Sends the records in order; answers how many were sent.
    UINT sendInput(UINT count, const INPUT *inputs);
    // The pointer's position, and whether the current cursor is the text cursor.
    bool cursor(QPoint *position, bool *textCursor);
    // Runs the low-level hook chain on every client's pointer events while on.
    void watchPointer(bool on);
    // Gives the key codes lent for typing back to the keyboard map.
    void restoreKeyboard();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    X11Desktop(_XDisplay *display, const QByteArray &displayName);

    unsigned long atom(const char *name);
    unsigned long windowProperty(unsigned long window, const char *property, unsigned long type,
                                 bool *found = nullptr);
    bool hasWindowManager();
    unsigned long activeWindow();
    unsigned long clientWindow(unsigned long window);
    bool sendMouse(const MOUSEINPUT &mouse);
    HWND handle(unsigned long window);

    _XDisplay *m_display;
    QByteArray m_displayName;
    std::unique_ptr<X11Keyboard> m_keyboard;
    std::unique_ptr<X11PointerWatch> m_pointer;
};
