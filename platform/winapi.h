#pragma once

// The Windows calls the program makes, answered by the desktop model (platform/desktop.h).

#include "platform/comtypes.h"
#include "platform/platformglobal.h"
#include "platform/wintypes.h"

class QWidget;

// The window handle of a program widget; the widget is registered with the desktop model on
// first use and its handle stays valid while the widget lives.
SCRIVELPLATFORM_EXPORT HWND widgetWindow(QWidget *widget);

extern "C" {

// Windows, focus and input
SCRIVELPLATFORM_EXPORT HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
SCRIVELPLATFORM_EXPORT HWND GetForegroundWindow();
SCRIVELPLATFORM_EXPORT BOOL SetForegroundWindow(HWND window);
SCRIVELPLATFORM_EXPORT BOOL IsWindow(HWND window);
SCRIVELPLATFORM_EXPORT BOOL IsWindowVisible(HWND window);
SCRIVELPLATFORM_EXPORT DWORD GetWindowThreadProcessId(HWND window, DWORD *processId);
SCRIVELPLATFORM_EXPORT DWORD GetCurrentThreadId();
SCRIVELPLATFORM_EXPORT BOOL AttachThreadInput(DWORD idAttach, DWORD idAttachTo, BOOL attach);
SCRIVELPLATFORM_EXPORT BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SCRIVELPLATFORM_EXPORT BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
SCRIVELPLATFORM_EXPORT UINT SendInput(UINT count, INPUT *inputs, int size);
SCRIVELPLATFORM_EXPORT LONG GetWindowLongW(HWND window, int index);
SCRIVELPLATFORM_EXPORT LONG SetWindowLongW(HWND window, int index, LONG value);
SCRIVELPLATFORM_EXPORT BOOL GetCursorInfo(CURSORINFO *info);
SCRIVELPLATFORM_EXPORT HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx,
                                         int cy, UINT load);

// Hooks
SCRIVELPLATFORM_EXPORT HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE module,
                                               DWORD threadId);
SCRIVELPLATFORM_EXPORT LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
SCRIVELPLATFORM_EXPORT BOOL UnhookWindowsHookEx(HHOOK hook);

// System
SCRIVELPLATFORM_EXPORT DWORD GetLastError();
SCRIVELPLATFORM_EXPORT void SetLastError(DWORD error);
SCRIVELPLATFORM_EXPORT DWORD GetVersion();
SCRIVELPLATFORM_EXPORT HANDLE CreateMutexA(void *attributes, BOOL initialOwner, LPCSTR name);
SCRIVELPLATFORM_EXPORT BOOL CloseHandle(HANDLE handle);
SCRIVELPLATFORM_EXPORT HMODULE LoadLibraryA(LPCSTR fileName);
SCRIVELPLATFORM_EXPORT FARPROC GetProcAddress(HMODULE module, LPCSTR name);
SCRIVELPLATFORM_EXPORT BOOL FreeLibrary(HMODULE module);
SCRIVELPLATFORM_EXPORT HANDLE CreateFileMappingW(HANDLE file, void *attributes, DWORD protect,
                                                 DWORD sizeHigh, DWORD sizeLow, LPCWSTR name);
SCRIVELPLATFORM_EXPORT HANDLE OpenFileMappingW(DWORD access, BOOL inherit, LPCWSTR name);
SCRIVELPLATFORM_EXPORT HANDLE OpenFileMappingA(DWORD access, BOOL inherit, LPCSTR name);
SCRIVELPLATFORM_EXPORT LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                                            DWORD offsetLow, SIZE_T bytes);
SCRIVELPLATFORM_EXPORT BOOL UnmapViewOfFile(const void *view);

// Shell and registry
SCRIVELPLATFORM_EXPORT HRESULT SHGetFolderPathW(HWND owner, int folder, HANDLE token, DWORD flags,
                                                LPWSTR path);
SCRIVELPLATFORM_EXPORT LSTATUS RegSetKeyValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName,
                                               DWORD type, const void *data, DWORD size);
SCRIVELPLATFORM_EXPORT LSTATUS RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName,
                                            DWORD flags, DWORD *type, void *data, DWORD *size);
SCRIVELPLATFORM_EXPORT LSTATUS RegDeleteKeyValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName);

// COM
SCRIVELPLATFORM_EXPORT HRESULT CoInitialize(void *reserved);
SCRIVELPLATFORM_EXPORT void CoUninitialize();
SCRIVELPLATFORM_EXPORT HRESULT CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD context,
                                                REFIID riid, void **object);
SCRIVELPLATFORM_EXPORT HRESULT CoCreateFreeThreadedMarshaler(IUnknown *outer,
                                                             IUnknown **marshaler);

// Safe arrays
SCRIVELPLATFORM_EXPORT SAFEARRAY *SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND *bounds);
SCRIVELPLATFORM_EXPORT SAFEARRAY *SafeArrayCreateVector(VARTYPE vt, LONG lowerBound,
                                                        ULONG count);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayDestroy(SAFEARRAY *array);
SCRIVELPLATFORM_EXPORT UINT SafeArrayGetDim(SAFEARRAY *array);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayGetVartype(SAFEARRAY *array, VARTYPE *vt);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayGetLBound(SAFEARRAY *array, UINT dim, LONG *bound);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayGetUBound(SAFEARRAY *array, UINT dim, LONG *bound);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayGetElement(SAFEARRAY *array, LONG *indices, void *value);
SCRIVELPLATFORM_EXPORT HRESULT SafeArrayPutElement(SAFEARRAY *array, LONG *indices, void *value);

} // extern "C"
