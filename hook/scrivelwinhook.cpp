#include "hook/scrivelwinhook.h"

#include "hook/hookmode.h"
#include "hook/hookprotocol.h"
#include "platform/winapi.h"

namespace {

HINSTANCE moduleInstance = nullptr;
HHOOK hook = nullptr;
HWND target = nullptr;
int currentMode = HookModeWatch;
int pressCount = 0;

BOOL removeHook()
{
    const BOOL removed = hook ? UnhookWindowsHookEx(hook) : TRUE;
    hook = nullptr;
    target = nullptr;
    return removed;
}

void report(WPARAM event, const POINT &point)
{
    UINT message = 0;
    if (event == WM_MOUSEMOVE)
        message = WM_SCRIVELHOOK_MOUSEMOVE;
    else if (event == WM_LBUTTONDOWN && currentMode != HookModeNoClicks)
        message = WM_SCRIVELHOOK_LBUTTONDOWN;
    else if (event == WM_LBUTTONUP && currentMode != HookModeNoClicks)
        message = WM_SCRIVELHOOK_LBUTTONUP;
    if (message)
        PostMessageA(target, message, WPARAM(point.x), LPARAM(point.y));
}

// Mode 0: swallows the first press and every release; a second press hands the mouse back
// to the user by switching to the watch mode.
LRESULT handleClickExpected(int code, WPARAM event, LPARAM lParam)
{
    if (event == WM_LBUTTONDOWN) {
        if (++pressCount == 1)
            return 1;
        writeHookMode(HookModeWatch);
        pressCount = 0;
    } else if (event == WM_LBUTTONUP) {
        return 1;
    }
    return CallNextHookEx(hook, code, event, lParam);
}

} // namespace

BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleInstance = instance;
    else if (reason == DLL_PROCESS_DETACH)
        removeHook();
    return TRUE;
}

int setScrivelHook(HWND window)
{
    removeHook();
    target = window;
    if (!moduleInstance)
        return 0;
    hook = SetWindowsHookExA(WH_MOUSE_LL, &LowLevelMouseProc, moduleInstance, 0);
    return hook ? 1 : 0;
}

int unsetScrivelHook()
{
    return removeHook();
}

LRESULT LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (!hook)
        return 0;
    if (code < 0)
        return CallNextHookEx(hook, code, wParam, lParam);
    if (!target || !IsWindow(target)) {
        const LRESULT passed = CallNextHookEx(hook, code, wParam, lParam);
        removeHook();
        return passed;
    }
    const auto *event = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
    if (!event)
        return CallNextHookEx(hook, code, wParam, lParam);
    currentMode = readHookMode();
    report(wParam, event->pt);
    if (currentMode != HookModeClickExpected) {
        pressCount = 0;
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    return handleClickExpected(code, wParam, lParam);
}
