// Known folders and the registry of the desktop model; on an X11 desktop the Run key is the
// session's autostart folder.

#include "platform/autostartentry.h"
#include "platform/desktopstate.h"
#include "platform/winapi.h"
#include "platform/x11desktop.h"

#include <QMutexLocker>
#include <QStandardPaths>

namespace {

QString defaultFolder(int csidl)
{
    const QStringList data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (csidl == CSIDL_APPDATA)
        return data.value(0);
    return data.value(1, data.value(0));
}

bool registryKeyPath(HKEY key, LPCWSTR subKey, LPCWSTR valueName, QString *path)
{
    if (key != HKEY_CURRENT_USER || !subKey)
        return false;
    *path = DesktopState::registryPath(QStringLiteral("HKEY_CURRENT_USER\\") + fromWide(subKey),
                                       fromWide(valueName));
    return true;
}

// The autostart entry standing for a value of the current user's Run key on a real desktop.
bool autostartEntry(HKEY key, LPCWSTR subKey, LPCWSTR valueName, QString *name)
{
    static const QString runKey =
        QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    if (key != HKEY_CURRENT_USER || !subKey || !valueName || !X11Desktop::active()
        || fromWide(subKey).compare(runKey, Qt::CaseInsensitive) != 0)
        return false;
    *name = fromWide(valueName);
    name->replace(QLatin1Char('/'), QLatin1Char('_'));
    return !name->isEmpty();
}

} // namespace

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, LPWSTR path)
{
    if (!path)
        return E_INVALIDARG;
    const int csidl = folder & 0xFF;
    if (csidl != CSIDL_APPDATA && csidl != CSIDL_COMMON_APPDATA)
        return E_INVALIDARG;
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::FolderLookupFails))
        return E_FAIL;
    const QString found = s.knownFolders.value(csidl, defaultFolder(csidl));
    if (found.isEmpty() || found.size() >= MAX_PATH)
        return E_FAIL;
    std::copy_n(found.utf16(), found.size() + 1, path);
    return S_OK;
}

LSTATUS RegSetKeyValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD type,
                        const void *data, DWORD size)
{
    QString path;
    if (!registryKeyPath(key, subKey, valueName, &path) || type != REG_SZ || !data
        || size % 2 != 0)
        return LSTATUS(ERROR_INVALID_PARAMETER);
    QString value = QString::fromUtf16(static_cast<const char16_t *>(data), size / 2);
    if (value.endsWith(QChar(0)))
        value.chop(1);
    if (QString name; autostartEntry(key, subKey, valueName, &name))
        return LSTATUS(AutostartEntry(name).write(value) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::RegistryFails))
        return LSTATUS(ERROR_ACCESS_DENIED);
    s.registry.insert(path, value);
    return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName, DWORD flags, DWORD *type,
                     void *data, DWORD *size)
{
    QString path;
    if (!registryKeyPath(key, subKey, valueName, &path) || !(flags & RRF_RT_REG_SZ)
        || (data && !size))
        return LSTATUS(ERROR_INVALID_PARAMETER);
    QString value;
    if (QString name; autostartEntry(key, subKey, valueName, &name)) {
        const AutostartEntry entry(name);
        if (!entry.exists())
            return LSTATUS(ERROR_FILE_NOT_FOUND);
        value = entry.value();
    } else {
        DesktopState &s = DesktopState::get();
        QMutexLocker lock(&s.mutex);
        if (s.fails(Desktop::RegistryFails))
            return LSTATUS(ERROR_ACCESS_DENIED);
        auto it = s.registry.constFind(path);
        if (it == s.registry.cend())
            return LSTATUS(ERROR_FILE_NOT_FOUND);
        value = *it;
    }
    if (type)
        *type = REG_SZ;
    const DWORD needed = DWORD(value.size() + 1) * 2;
    if (!size)
        return LSTATUS(ERROR_SUCCESS);
    if (data && *size < needed) {
        *size = needed;
        return LSTATUS(ERROR_MORE_DATA);
    }
    *size = needed;
    if (data)
        std::copy_n(value.utf16(), value.size() + 1, static_cast<char16_t *>(data));
    return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegDeleteKeyValueW(HKEY key, LPCWSTR subKey, LPCWSTR valueName)
{
    QString path;
    if (!registryKeyPath(key, subKey, valueName, &path))
        return LSTATUS(ERROR_INVALID_PARAMETER);
    if (QString name; autostartEntry(key, subKey, valueName, &name)) {
        const AutostartEntry entry(name);
        if (!entry.exists())
            return LSTATUS(ERROR_FILE_NOT_FOUND);
        return LSTATUS(entry.remove() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
    }
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::RegistryFails))
        return LSTATUS(ERROR_ACCESS_DENIED);
    return LSTATUS(s.registry.remove(path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
}
