#pragma once

// Windows types and constants used by the program, with their Windows values.

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HRESULT = std::int32_t;
using LSTATUS = LONG;
using SIZE_T = std::size_t;
using WCHAR = char16_t;
using LPCWSTR = const WCHAR *;
using LPWSTR = WCHAR *;
using LPCSTR = const char *;
using LPVOID = void *;

struct HWND__;
struct HHOOK__;
struct HCURSOR__;
struct HINSTANCE__;
struct HKEY__;
using HWND = HWND__ *;
using HHOOK = HHOOK__ *;
using HCURSOR = HCURSOR__ *;
using HINSTANCE = HINSTANCE__ *;
using HMODULE = HINSTANCE;
using HKEY = HKEY__ *;
using HANDLE = void *;

using FARPROC = void (*)();
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct POINT
{
    LONG x;
    LONG y;
};

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct KEYBDINPUT
{
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct MOUSEINPUT
{
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct INPUT
{
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
    };
};

struct CURSORINFO
{
    DWORD cbSize;
    DWORD flags;
    HCURSOR hCursor;
    POINT ptScreenPos;
};

struct MSLLHOOKSTRUCT
{
    POINT pt;
    DWORD mouseData;
    DWORD flags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

// Messages
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_TABLET_QUERYSYSTEMGESTURESTATUS = 0x02CC;
constexpr UINT WM_USER = 0x0400;
constexpr LRESULT MA_NOACTIVATE = 3;

// Input
constexpr DWORD INPUT_MOUSE = 0;
constexpr DWORD INPUT_KEYBOARD = 1;
constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x0001;
constexpr DWORD KEYEVENTF_KEYUP = 0x0002;
constexpr DWORD KEYEVENTF_UNICODE = 0x0004;
constexpr DWORD MOUSEEVENTF_MOVE = 0x0001;
constexpr DWORD MOUSEEVENTF_LEFTDOWN = 0x0002;
constexpr DWORD MOUSEEVENTF_LEFTUP = 0x0004;
constexpr DWORD MOUSEEVENTF_RIGHTDOWN = 0x0008;
constexpr DWORD MOUSEEVENTF_RIGHTUP = 0x0010;
constexpr DWORD MOUSEEVENTF_ABSOLUTE = 0x8000;

// Window styles
constexpr int GWL_STYLE = -16;
constexpr LONG WS_DISABLED = 0x08000000;

// Cursors
constexpr int OCR_NORMAL = 32512;
constexpr int OCR_IBEAM = 32513;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_SHARED = 0x8000;
inline LPCWSTR MAKEINTRESOURCEW(int id)
{
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}

// Hooks
constexpr int WH_MOUSE_LL = 14;
constexpr int HC_ACTION = 0;

// Modules
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

// Kernel objects
const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
constexpr DWORD FILE_MAP_ALL_ACCESS = 0xF001F;
constexpr DWORD PAGE_READWRITE = 0x04;

// Folders
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;
constexpr int MAX_PATH = 260;

// Registry
HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001));
constexpr DWORD REG_SZ = 1;
constexpr DWORD RRF_RT_REG_SZ = 0x00000002;

// Error codes
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;
constexpr DWORD ERROR_HOOK_NEEDS_HMOD = 1428;

// HRESULT values
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
constexpr HRESULT CONNECT_E_NOCONNECTION = static_cast<HRESULT>(0x80040200);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000B);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
