#pragma once

// Internal state of the desktop model, shared by the Windows calls and the Desktop API.

#include "platform/desktop.h"

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSet>
#include <QWidget>

#include <memory>
#include <vector>

class InkCollectorObject;

struct WindowRecord
{
    QString className;
    DWORD threadId = 0;
    DWORD processId = 0;
    bool alive = true;
    bool visible = true;
    LONG style = 0;
    bool isWidget = false;
    QPointer<QWidget> widget;
    Desktop::MessageHandler handler;
    QList<MSG> posted;
};

struct KernelObject
{
    enum Kind { Mutex, Mapping };
    Kind kind;
    std::vector<char> bytes;
};

struct ModuleRecord
{
    QString fileName;
    void *library = nullptr; // dlopen handle; null for a built-in module
    int loads = 0;
};

struct HookRecord
{
    HHOOK id;
    HOOKPROC proc;
};

struct DesktopState
{
    mutable QRecursiveMutex mutex;

    QMap<quintptr, WindowRecord> windows;
    QHash<const QWidget *, quintptr> widgetWindows;
    quintptr nextWindow = 0x10010;
    HWND taskbar = nullptr;
    HWND foreground = nullptr;
    QSet<QPair<DWORD, DWORD>> attachments;
    Desktop::MessageHandler filter;

    QList<Desktop::InputRecord> inputLog;

    std::vector<HookRecord> hooks; // newest first
    quintptr nextHook = 0x20010;

    QHash<quintptr, std::shared_ptr<KernelObject>> handles;
    QHash<QString, std::weak_ptr<KernelObject>> named;
    QMultiHash<const void *, std::shared_ptr<KernelObject>> views;
    QList<std::shared_ptr<KernelObject>> heldMappings;
    quintptr nextHandle = 0x30010;

    QHash<QString, ModuleRecord *> modules; // by lower-case file name
    QSet<QString> hiddenModules;
    QSet<QString> hiddenExports; // exportKey(module, symbol)

    Desktop::CursorShape cursor = Desktop::ArrowCursor;
    QPoint cursorPos;

    QHash<int, QString> knownFolders;
    QMap<QString, QString> registry; // registryPath(key, name) -> value
    int osMajor = 6;
    int osMinor = 1;
    bool ntFamily = true;
    bool compositionActive = true;

    QList<QRect> screenGeometries;
    QList<QRect> availableGeometries;

    QSet<int> failures;
    HRESULT inkCreateFailure = S_OK;
    int inkCreateFailures = 0;
    int inkDisableFailures = 0;
    QList<InkCollectorObject *> inkCollectors;

    static DesktopState &get();
    bool fails(Desktop::Failure failure) const { return failures.contains(failure); }

    WindowRecord *window(HWND handle);
    bool isLive(HWND handle);
    HWND addWindow(WindowRecord record);
    HANDLE addHandle(const std::shared_ptr<KernelObject> &object);
    std::shared_ptr<KernelObject> object(HANDLE handle) const;
    // The live object of that kind holding the name, or null.
    std::shared_ptr<KernelObject> namedObject(const QString &name, KernelObject::Kind kind) const;
    void queueDelivery(const MSG &message);
    void clear();

    // The registry's key for a value: "key|name", lower-case.
    static QString registryPath(const QString &key, const QString &name);
    // The hidden exports' key for a symbol: "module!symbol", lower-case module.
    static QString exportKey(const QString &fileName, const QString &symbol);
};

QString fromWide(LPCWSTR text);
DWORD programProcessId();
