#pragma once

// What the program and the mouse hook library share: the exports, the messages and the
// named 4-byte block that holds the hook mode as one decimal digit.

#include "platform/wintypes.h"

#include <cstddef>

constexpr UINT WM_SCRIVELHOOK_LBUTTONDOWN = WM_USER + 30;
constexpr UINT WM_SCRIVELHOOK_MOUSEMOVE = WM_USER + 31;
constexpr UINT WM_SCRIVELHOOK_LBUTTONUP = WM_USER + 32;

constexpr char scrivelHookLibrary[] = "scrivelwinhook.dll";
constexpr char scrivelHookMappingName[] = "ScrivelWinHookSharedMemory";
constexpr WCHAR scrivelHookMappingNameW[] = u"ScrivelWinHookSharedMemory";
constexpr DWORD scrivelHookMappingSize = 4;

// 0: the first left press and every left release are swallowed; 1: watch only;
// 2: buttons pass and are not reported.
enum ScrivelHookMode : int { HookModeClickExpected = 0, HookModeWatch = 1, HookModeNoClicks = 2 };

using SetScrivelHookFunction = int (*)(HWND window);
using UnsetScrivelHookFunction = int (*)();

// The mode held by a block: its leading decimal number, read within the block's bytes; a block
// that does not start with a digit holds the watch mode.
inline int parseHookMode(const char *bytes, std::size_t size)
{
    int mode = 0;
    std::size_t i = 0;
    for (; i < size && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
        if (mode < 1000)
            mode = mode * 10 + (bytes[i] - '0');
    }
    return i == 0 ? int(HookModeWatch) : mode;
}
