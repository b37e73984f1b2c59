// Errors, version, named kernel objects and modules of the desktop model.

#include "platform/desktopstate.h"
#include "platform/winapi.h"

#include <QFileInfo>
#include <QMutexLocker>

#include <dlfcn.h>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

using DllEntry = BOOL (*)(HINSTANCE, DWORD, LPVOID);

const QString themeLibrary = QStringLiteral("uxtheme.dll");

BOOL themeIsCompositionActive()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.compositionActive ? TRUE : FALSE;
}

// Opens the named object of that kind, or creates it with `size` zero bytes; an unnamed
// object is always new. Called under the desktop lock.
HANDLE openOrCreate(DesktopState &s, const QString &key, KernelObject::Kind kind, DWORD size)
{
    auto object = key.isEmpty() ? nullptr : s.named.value(key).lock();
    if (object && object->kind != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (object) {
        HANDLE handle = s.addHandle(object);
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    object = std::make_shared<KernelObject>();
    object->kind = kind;
    object->bytes.assign(size, 0);
    if (!key.isEmpty())
        s.named.insert(key, object);
    SetLastError(ERROR_SUCCESS);
    return s.addHandle(object);
}

QString programFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe"))
        .canonicalFilePath()
        .section(QLatin1Char('/'), 0, -2);
}

// "X.dll" is the shared library libX.so in the program's folder; "folder\X.dll" is libX.so
// in that folder.
QString libraryPath(const QString &fileName)
{
    QString path = fileName;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(path);
    QString stem = info.fileName();
    if (stem.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        stem.chop(4);
    const QString folder = path.contains(QLatin1Char('/')) ? info.path() : programFolder();
    return folder + QStringLiteral("/lib") + stem + QStringLiteral(".so");
}

ModuleRecord *moduleRecord(DesktopState &s, HMODULE module)
{
    for (ModuleRecord *record : std::as_const(s.modules)) {
        if (reinterpret_cast<HMODULE>(record) == module)
            return record;
    }
    return nullptr;
}

void callEntry(ModuleRecord *record, DWORD reason)
{
    if (!record->library)
        return;
    auto entry = reinterpret_cast<DllEntry>(dlsym(record->library, "DllMain"));
    if (entry)
        entry(reinterpret_cast<HINSTANCE>(record), reason, nullptr);
}

HANDLE openMapping(const QString &name)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto object = s.namedObject(name, KernelObject::Mapping);
    if (!object) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return s.addHandle(object);
}

} // namespace

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

DWORD GetVersion()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return DWORD(s.osMajor & 0xFF) | DWORD(s.osMinor & 0xFF) << 8 | (s.ntFamily ? 0 : 0x80000000u);
}

HANDLE CreateMutexA(void *, BOOL, LPCSTR name)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::CreateMutexFails)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const QString key = QString::fromLocal8Bit(name ? name : "");
    return openOrCreate(s, key, KernelObject::Mutex, 0);
}

BOOL CloseHandle(HANDLE handle)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.handles.remove(reinterpret_cast<quintptr>(handle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HMODULE LoadLibraryA(LPCSTR fileName)
{
    const QString name = QString::fromLocal8Bit(fileName ? fileName : "");
    const QString key = name.toLower();
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (name.isEmpty() || s.hiddenModules.contains(key)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (ModuleRecord *record = s.modules.value(key)) {
        ++record->loads;
        return reinterpret_cast<HMODULE>(record);
    }
    void *library = nullptr;
    if (key != themeLibrary) {
        library = dlopen(QFile::encodeName(libraryPath(name)).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
    }
    auto *record = new ModuleRecord{name, library, 1};
    s.modules.insert(key, record);
    lock.unlock();
    callEntry(record, DLL_PROCESS_ATTACH);
    return reinterpret_cast<HMODULE>(record);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    ModuleRecord *record = moduleRecord(s, module);
    if (!record || !name) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const QString symbol = QString::fromLatin1(name);
    FARPROC proc = nullptr;
    if (!s.hiddenExports.contains(DesktopState::exportKey(record->fileName, symbol))) {
        if (record->library)
            proc = reinterpret_cast<FARPROC>(dlsym(record->library, name));
        else if (symbol == QLatin1String("IsCompositionActive"))
            proc = reinterpret_cast<FARPROC>(&themeIsCompositionActive);
    }
    if (!proc)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return proc;
}

BOOL FreeLibrary(HMODULE module)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    ModuleRecord *record = moduleRecord(s, module);
    if (!record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--record->loads > 0)
        return TRUE;
    s.modules.remove(record->fileName.toLower());
    lock.unlock();
    callEntry(record, DLL_PROCESS_DETACH);
    if (record->library)
        dlclose(record->library);
    delete record;
    return TRUE;
}

HANDLE CreateFileMappingW(HANDLE file, void *, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCWSTR name)
{
    if (file != INVALID_HANDLE_VALUE || protect != PAGE_READWRITE || sizeHigh != 0
        || sizeLow == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const QString key = fromWide(name);
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (s.fails(Desktop::CreateMappingFails)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return openOrCreate(s, key, KernelObject::Mapping, sizeLow);
}

HANDLE OpenFileMappingW(DWORD, BOOL, LPCWSTR name)
{
    return openMapping(fromWide(name));
}

HANDLE OpenFileMappingA(DWORD, BOOL, LPCSTR name)
{
    return openMapping(QString::fromLocal8Bit(name ? name : ""));
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto object = s.object(mapping);
    if (!object || object->kind != KernelObject::Mapping) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (offsetHigh != 0 || offsetLow != 0 || bytes > object->bytes.size()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (s.fails(Desktop::MapViewFails)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void *view = object->bytes.data();
    s.views.insert(view, object);
    return view;
}

BOOL UnmapViewOfFile(const void *view)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto it = s.views.find(view);
    if (it == s.views.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    s.views.erase(it);
    return TRUE;
}
