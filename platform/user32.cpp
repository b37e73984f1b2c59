// Windows, focus, messages, input, cursors and hooks: the desktop model's, or on an X11 display
// the real desktop's for other clients' windows, the focus, input, the cursor and the hooks.

#include "platform/desktopstate.h"
#include "platform/winapi.h"
#include "platform/x11desktop.h"

#include <QMutexLocker>

#include <atomic>

namespace {

constexpr quintptr arrowCursor = 0x10003;
constexpr quintptr ibeamCursor = 0x10005;
std::atomic<quintptr> nextCursor{0x40010};

BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.isLive(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MSG msg{window, message, wParam, lParam, 0, {s.cursorPos.x(), s.cursorPos.y()}};
    WindowRecord *record = s.window(window);
    record->posted << msg;
    if (record->isWidget)
        s.queueDelivery(msg);
    return TRUE;
}

// The window whose style `index` names, or null with the last error set; called under the lock.
WindowRecord *styleWindow(DesktopState &s, HWND window, int index)
{
    if (!s.isLive(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (index != GWL_STYLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return s.window(window);
}

} // namespace

HWND widgetWindow(QWidget *widget)
{
    if (!widget)
        return nullptr;
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    const quintptr known = s.widgetWindows.value(widget);
    if (known && s.isLive(reinterpret_cast<HWND>(known)))
        return reinterpret_cast<HWND>(known);
    WindowRecord record;
    record.className = QString::fromLatin1(widget->metaObject()->className());
    record.threadId = GetCurrentThreadId();
    record.processId = programProcessId();
    record.isWidget = true;
    record.widget = widget;
    HWND window = s.addWindow(record);
    s.widgetWindows.insert(widget, reinterpret_cast<quintptr>(window));
    return window;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR)
{
    const QString name = fromWide(className);
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    for (auto it = s.windows.cbegin(); it != s.windows.cend(); ++it) {
        HWND window = reinterpret_cast<HWND>(it.key());
        if (s.isLive(window) && it->className.compare(name, Qt::CaseInsensitive) == 0)
            return window;
    }
    SetLastError(ERROR_SUCCESS);
    return nullptr;
}

HWND GetForegroundWindow()
{
    if (X11Desktop *x11 = X11Desktop::active())
        return x11->foregroundWindow();
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.foreground;
}

BOOL SetForegroundWindow(HWND window)
{
    if (X11Desktop::isForeign(window)) {
        X11Desktop *x11 = X11Desktop::active();
        return x11 && x11->activate(window) ? TRUE : FALSE;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.isLive(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (s.fails(Desktop::RefuseForeground))
        return FALSE;
    s.foreground = window;
    return TRUE;
}

BOOL IsWindow(HWND window)
{
    if (X11Desktop::isForeign(window)) {
        X11Desktop *x11 = X11Desktop::active();
        return x11 && x11->isWindow(window) ? TRUE : FALSE;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.isLive(window) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window)
{
    if (X11Desktop::isForeign(window)) {
        X11Desktop *x11 = X11Desktop::active();
        return x11 && x11->isVisible(window) ? TRUE : FALSE;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.isLive(window))
        return FALSE;
    const WindowRecord *record = s.window(window);
    return (record->isWidget ? record->widget->isVisible() : record->visible) ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD *processId)
{
    if (X11Desktop::isForeign(window)) {
        X11Desktop *x11 = X11Desktop::active();
        const DWORD thread = x11 ? x11->threadProcessId(window, processId) : 0;
        if (!thread)
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return thread;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.isLive(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const WindowRecord *record = s.window(window);
    if (processId)
        *processId = record->processId;
    return record->threadId;
}

DWORD GetCurrentThreadId()
{
    static std::atomic<DWORD> next{0x1000};
    thread_local const DWORD id = next.fetch_add(4);
    return id;
}

BOOL AttachThreadInput(DWORD idAttach, DWORD idAttachTo, BOOL attach)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    const QPair<DWORD, DWORD> pair(idAttach, idAttachTo);
    if (idAttach == 0 || idAttachTo == 0 || idAttach == idAttachTo
        || (!attach && !s.attachments.contains(pair))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (attach)
        s.attachments.insert(pair);
    else
        s.attachments.remove(pair);
    return TRUE;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return postMessage(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return postMessage(window, message, wParam, lParam);
}

UINT SendInput(UINT count, INPUT *inputs, int size)
{
    if (!inputs || count == 0 || size != int(sizeof(INPUT))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (X11Desktop *x11 = X11Desktop::active()) {
        const UINT sent = x11->sendInput(count, inputs);
        if (sent < count)
            SetLastError(ERROR_INVALID_PARAMETER);
        return sent;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::SendInputFails)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    for (UINT i = 0; i < count; ++i)
        s.inputLog << Desktop::InputRecord{inputs[i], s.foreground};
    return count;
}

LONG GetWindowLongW(HWND window, int index)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    const WindowRecord *record = styleWindow(s, window, index);
    return record ? record->style : 0;
}

LONG SetWindowLongW(HWND window, int index, LONG value)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    WindowRecord *record = styleWindow(s, window, index);
    if (!record)
        return 0;
    const LONG previous = record->style;
    record->style = value;
    return previous;
}

BOOL GetCursorInfo(CURSORINFO *info)
{
    if (!info || info->cbSize != sizeof(CURSORINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (X11Desktop *x11 = X11Desktop::active()) {
        QPoint position;
        bool textCursor = false;
        if (!x11->cursor(&position, &textCursor)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        info->flags = 1;
        info->hCursor = reinterpret_cast<HCURSOR>(textCursor ? ibeamCursor : arrowCursor);
        info->ptScreenPos = {position.x(), position.y()};
        return TRUE;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::CursorInfoFails)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    info->flags = 1;
    info->hCursor = reinterpret_cast<HCURSOR>(s.cursor == Desktop::IBeamCursor ? ibeamCursor
                                                                                : arrowCursor);
    info->ptScreenPos = {s.cursorPos.x(), s.cursorPos.y()};
    return TRUE;
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT load)
{
    const quintptr id = reinterpret_cast<quintptr>(name);
    if (instance || type != IMAGE_CURSOR || (id != OCR_NORMAL && id != OCR_IBEAM)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    if (!(load & LR_SHARED))
        return reinterpret_cast<HANDLE>(nextCursor.fetch_add(4));
    return reinterpret_cast<HANDLE>(id == OCR_IBEAM ? ibeamCursor : arrowCursor);
}

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE module, DWORD)
{
    if (idHook != WH_MOUSE_LL || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!module) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::HookInstallFails)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    HHOOK hook = reinterpret_cast<HHOOK>(s.nextHook);
    s.nextHook += 4;
    s.hooks.insert(s.hooks.begin(), HookRecord{hook, proc});
    if (X11Desktop *x11 = X11Desktop::active())
        x11->watchPointer(true);
    return hook;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    DesktopState &s = DesktopState::get();
    HOOKPROC next = nullptr;
    {
        QMutexLocker lock(&s.mutex);
        auto it = std::find_if(s.hooks.begin(), s.hooks.end(),
                               [hook](const HookRecord &r) { return r.id == hook; });
        if (it == s.hooks.end() || ++it == s.hooks.end())
            return 0;
        next = it->proc;
    }
    return next(code, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto it = std::find_if(s.hooks.begin(), s.hooks.end(),
                           [hook](const HookRecord &r) { return r.id == hook; });
    if (it == s.hooks.end()) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    s.hooks.erase(it);
    if (X11Desktop *x11 = X11Desktop::active())
        x11->watchPointer(!s.hooks.empty());
    return TRUE;
}
