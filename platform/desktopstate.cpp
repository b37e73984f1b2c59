#include "platform/desktopstate.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMutexLocker>

DesktopState &DesktopState::get()
{
    static DesktopState *state = [] {
        auto *s = new DesktopState;
        s->clear();
        return s;
    }();
    return *state;
}

WindowRecord *DesktopState::window(HWND handle)
{
    auto it = windows.find(reinterpret_cast<quintptr>(handle));
    return it == windows.end() ? nullptr : &it.value();
}

bool DesktopState::isLive(HWND handle)
{
    const WindowRecord *record = window(handle);
    return record && record->alive && (!record->isWidget || record->widget);
}

HWND DesktopState::addWindow(WindowRecord record)
{
    QMutexLocker lock(&mutex);
    const quintptr id = nextWindow;
    nextWindow += 4;
    windows.insert(id, std::move(record));
    return reinterpret_cast<HWND>(id);
}

HANDLE DesktopState::addHandle(const std::shared_ptr<KernelObject> &object)
{
    const quintptr id = nextHandle;
    nextHandle += 4;
    handles.insert(id, object);
    return reinterpret_cast<HANDLE>(id);
}

std::shared_ptr<KernelObject> DesktopState::object(HANDLE handle) const
{
    return handles.value(reinterpret_cast<quintptr>(handle));
}

std::shared_ptr<KernelObject> DesktopState::namedObject(const QString &name,
                                                       KernelObject::Kind kind) const
{
    auto object = named.value(name).lock();
    return object && object->kind == kind ? object : nullptr;
}

void DesktopState::queueDelivery(const MSG &message)
{
    QMetaObject::invokeMethod(
        Desktop::instance(), [message] { Desktop::instance()->deliver(message); },
        Qt::QueuedConnection);
}

void DesktopState::clear()
{
    QMutexLocker lock(&mutex);
    windows.clear();
    widgetWindows.clear();
    WindowRecord tray;
    tray.className = QStringLiteral("Shell_TrayWnd");
    tray.threadId = 4;
    tray.processId = 4;
    taskbar = addWindow(tray);
    foreground = nullptr;
    attachments.clear();
    filter = nullptr;
    inputLog.clear();
    hooks.clear();
    handles.clear();
    named.clear();
    heldMappings.clear();
    hiddenModules.clear();
    hiddenExports.clear();
    cursor = Desktop::ArrowCursor;
    cursorPos = QPoint();
    knownFolders.clear();
    registry.clear();
    osMajor = 6;
    osMinor = 1;
    ntFamily = true;
    compositionActive = true;
    screenGeometries.clear();
    availableGeometries.clear();
    failures.clear();
    inkCreateFailures = 0;
    inkDisableFailures = 0;
}

QString DesktopState::registryPath(const QString &key, const QString &name)
{
    return (key + QLatin1Char('|') + name).toLower();
}

QString DesktopState::exportKey(const QString &fileName, const QString &symbol)
{
    return fileName.toLower() + QLatin1Char('!') + symbol;
}

QString fromWide(LPCWSTR text)
{
    return text ? QString::fromUtf16(text) : QString();
}

DWORD programProcessId()
{
    return 1000;
}
