#include "windows/mousehookmanager.h"

#include "hook/hookprotocol.h"
#include "platform/winapi.h"
#include "windows/winutils.h"

#include <QObject>

namespace {

void sendMouseButton(const QPoint &point, DWORD button)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x();
    input.mi.dy = point.y();
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | button;
    SendInput(1, &input, sizeof(INPUT));
}

} // namespace

MouseHookManager::~MouseHookManager()
{
    remove();
    if (m_mapping)
        CloseHandle(m_mapping);
}

bool MouseHookManager::installMouseHook(bool install, QWidget *panel)
{
    return install ? this->install(panel) : remove();
}

bool MouseHookManager::install(QWidget *panel)
{
    if (!panel || m_library)
        return true;
    m_library = LoadLibraryA(scrivelHookLibrary);
    if (!m_library) {
        showCaution(QT_TRANSLATE_NOOP(
            "IMFIntegrator", "Caution: Unable to find the library \"scrivelwinhook.dll\""));
        return false;
    }
    auto setHook = reinterpret_cast<SetScrivelHookFunction>(
        GetProcAddress(m_library, "setScrivelHook"));
    if (!setHook) {
        showCaution(QT_TRANSLATE_NOOP("IMFIntegrator",
                                      "Caution: Unable to find function to set mouse hook"));
        unload();
        return false;
    }
    if (setHook(widgetWindow(panel)) == 0) {
        // Shown once: the watchdog retries the install again and again.
        if (!m_installWarningShown)
            showCaution(
                QT_TRANSLATE_NOOP("IMFIntegrator", "Caution: Unable to set system mouse hook"));
        m_installWarningShown = true;
        unload();
        return false;
    }
    return true;
}

bool MouseHookManager::remove()
{
    if (!m_library)
        return true;
    auto unsetHook = reinterpret_cast<UnsetScrivelHookFunction>(
        GetProcAddress(m_library, "unsetScrivelHook"));
    if (!unsetHook) {
        showCaution(QT_TRANSLATE_NOOP("IMFIntegrator",
                                      "Caution: Unable to find function to unset mouse hook"));
        unload();
        return false;
    }
    unsetHook();
    unload();
    return true;
}

void MouseHookManager::unload()
{
    FreeLibrary(m_library);
    m_library = nullptr;
}

bool MouseHookManager::writeMode(ScrivelHookMode mode)
{
    if (mode < 0 || mode > 9)
        return false;
    if (!m_mapping)
        m_mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, scrivelHookMappingNameW);
    if (!m_mapping)
        m_mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       scrivelHookMappingSize, scrivelHookMappingNameW);
    if (!m_mapping)
        return false;
    auto *view = static_cast<char *>(
        MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, scrivelHookMappingSize));
    if (!view)
        return false;
    view[0] = char('0' + mode);
    if (mode == HookModeNoClicks) {
        sendMouseButton(m_lastMouseUp, MOUSEEVENTF_LEFTDOWN);
        sendMouseButton(m_lastMouseUp, MOUSEEVENTF_LEFTUP);
    }
    UnmapViewOfFile(view);
    return true;
}

ScrivelHookMode MouseHookManager::modeForSender(const QObject *sender)
{
    const QString name = sender ? sender->objectName() : QString();
    if (name == QLatin1String("ShownWaitDown"))
        return HookModeClickExpected;
    if (name == QLatin1String("isUpIBeam") || name == QLatin1String("isNotUpIBeam"))
        return HookModeNoClicks;
    return HookModeWatch;
}
