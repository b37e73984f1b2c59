#pragma once

// Exports of the mouse hook library.

#include "platform/wintypes.h"

#define SCRIVELWINHOOK_EXPORT extern "C" __attribute__((visibility("default")))

SCRIVELWINHOOK_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
// Reports mouse events to `window` from now on; 1 when the hook is installed, else 0.
SCRIVELWINHOOK_EXPORT int setScrivelHook(HWND window);
// Removes the hook; 1 when it is removed or none was installed.
SCRIVELWINHOOK_EXPORT int unsetScrivelHook();
SCRIVELWINHOOK_EXPORT LRESULT LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam);
