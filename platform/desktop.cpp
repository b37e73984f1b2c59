#include "platform/desktop.h"

#include "platform/desktopstate.h"
#include "platform/inkcollectorobject.h"
#include "platform/winapi.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMutexLocker>
#include <QScreen>

namespace {

QString traceWord(const INPUT &input)
{
    if (input.type == INPUT_MOUSE) {
        const bool up = input.mi.dwFlags & MOUSEEVENTF_LEFTUP;
        return QStringLiteral("L%1@%2,%3").arg(up ? '-' : '+').arg(input.mi.dx).arg(input.mi.dy);
    }
    const KEYBDINPUT &key = input.ki;
    const QChar sign = (key.dwFlags & KEYEVENTF_KEYUP) ? QLatin1Char('-') : QLatin1Char('+');
    if (key.dwFlags & KEYEVENTF_UNICODE) {
        if (key.wScan > 0x20 && key.wScan < 0x7f)
            return QString(QChar(key.wScan)) + sign;
        return QStringLiteral("u%1").arg(key.wScan, 4, 16, QLatin1Char('0')) + sign;
    }
    const QString ext = (key.dwFlags & KEYEVENTF_EXTENDEDKEY) ? QStringLiteral("x") : QString();
    return QString::number(key.wVk) + ext + sign;
}

} // namespace

Desktop::Desktop()
{
    if (QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
}

Desktop *Desktop::instance()
{
    static Desktop *desktop = new Desktop;
    return desktop;
}

void Desktop::reset()
{
    DesktopState::get().clear();
}

HWND Desktop::createWindow(const QString &className, DWORD threadId, bool visible)
{
    WindowRecord record;
    record.className = className;
    record.threadId = threadId;
    record.processId = programProcessId() + 1;
    record.visible = visible;
    return DesktopState::get().addWindow(record);
}

void Desktop::destroyWindow(HWND window)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (WindowRecord *record = s.window(window))
        record->alive = false;
    if (s.foreground == window)
        s.foreground = nullptr;
}

void Desktop::setWindowVisible(HWND window, bool visible)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (WindowRecord *record = s.window(window))
        record->visible = visible;
}

HWND Desktop::taskbarWindow() const
{
    return DesktopState::get().taskbar;
}

void Desktop::activate(HWND window)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.foreground = window;
}

bool Desktop::isAttached(DWORD thread, DWORD otherThread) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.attachments.contains({thread, otherThread});
}

int Desktop::attachmentCount() const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return int(s.attachments.size());
}

void Desktop::setMessageFilter(MessageHandler filter)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.filter = std::move(filter);
}

void Desktop::setWindowHandler(HWND window, MessageHandler handler)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (WindowRecord *record = s.window(window))
        record->handler = std::move(handler);
}

LRESULT Desktop::sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return deliver(MSG{window, message, wParam, lParam, 0, {0, 0}});
}

LRESULT Desktop::deliver(const MSG &message)
{
    DesktopState &s = DesktopState::get();
    MessageHandler filter;
    MessageHandler handler;
    {
        QMutexLocker lock(&s.mutex);
        if (!s.isLive(message.hwnd))
            return 0;
        filter = s.filter;
        handler = s.window(message.hwnd)->handler;
    }
    MSG msg = message;
    LRESULT result = 0;
    if (!(filter && filter(&msg, &result)) && handler)
        handler(&msg, &result);
    return result;
}

QList<MSG> Desktop::postedMessages(HWND window) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    const WindowRecord *record = s.window(window);
    return record ? record->posted : QList<MSG>();
}

void Desktop::clearPostedMessages()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    for (WindowRecord &record : s.windows)
        record.posted.clear();
}

QList<Desktop::InputRecord> Desktop::inputLog() const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.inputLog;
}

QString Desktop::typedText(HWND window) const
{
    QString text;
    for (const InputRecord &record : inputLog()) {
        const KEYBDINPUT &key = record.input.ki;
        if (record.foreground == window && record.input.type == INPUT_KEYBOARD
            && (key.dwFlags & KEYEVENTF_UNICODE) && !(key.dwFlags & KEYEVENTF_KEYUP))
            text += QChar(key.wScan);
    }
    return text;
}

QStringList Desktop::keyTrace() const
{
    QStringList words;
    for (const InputRecord &record : inputLog())
        words << traceWord(record.input);
    return words;
}

void Desktop::clearInputLog()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.inputLog.clear();
}

bool Desktop::injectMouse(UINT message, int x, int y)
{
    DesktopState &s = DesktopState::get();
    HOOKPROC first = nullptr;
    {
        QMutexLocker lock(&s.mutex);
        s.cursorPos = QPoint(x, y);
        if (s.hooks.empty())
            return false;
        first = s.hooks.front().proc;
    }
    MSLLHOOKSTRUCT event{{x, y}, 0, 0, 0, 0};
    return first(HC_ACTION, message, reinterpret_cast<LPARAM>(&event)) != 0;
}

int Desktop::hookCount() const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return int(s.hooks.size());
}

void Desktop::dropHooks()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.hooks.clear();
}

void Desktop::setCursorShape(CursorShape shape)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.cursor = shape;
}

void Desktop::setCursorPos(const QPoint &position)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.cursorPos = position;
}

bool Desktop::mutexExists(const QString &name) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.namedObject(name, KernelObject::Mutex) != nullptr;
}

bool Desktop::mappingExists(const QString &name) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.namedObject(name, KernelObject::Mapping) != nullptr;
}

QByteArray Desktop::mappingContents(const QString &name) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto object = s.namedObject(name, KernelObject::Mapping);
    if (!object)
        return QByteArray();
    return QByteArray(object->bytes.data(), qsizetype(object->bytes.size()));
}

void Desktop::setMappingContents(const QString &name, const QByteArray &bytes)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    auto object = s.named.value(name).lock();
    if (!object) {
        object = std::make_shared<KernelObject>();
        object->kind = KernelObject::Mapping;
        object->bytes.resize(size_t(bytes.size()));
        s.named.insert(name, object);
        s.heldMappings << object;
    }
    std::copy_n(bytes.constData(), std::min(size_t(bytes.size()), object->bytes.size()),
                object->bytes.begin());
}

bool Desktop::moduleLoaded(const QString &fileName) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.modules.contains(fileName.toLower());
}

void Desktop::hideModule(const QString &fileName, bool hidden)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (hidden)
        s.hiddenModules.insert(fileName.toLower());
    else
        s.hiddenModules.remove(fileName.toLower());
}

void Desktop::hideExport(const QString &fileName, const QString &symbol, bool hidden)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    const QString key = DesktopState::exportKey(fileName, symbol);
    if (hidden)
        s.hiddenExports.insert(key);
    else
        s.hiddenExports.remove(key);
}

void Desktop::setKnownFolder(int csidl, const QString &path)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.knownFolders.insert(csidl, path);
}

QString Desktop::registryValue(const QString &key, const QString &name) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.registry.value(DesktopState::registryPath(key, name));
}

bool Desktop::hasRegistryValue(const QString &key, const QString &name) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    return s.registry.contains(DesktopState::registryPath(key, name));
}

void Desktop::setRegistryValue(const QString &key, const QString &name, const QString &value)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.registry.insert(DesktopState::registryPath(key, name), value);
}

void Desktop::setOsVersion(int major, int minor, bool ntFamily)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.osMajor = major;
    s.osMinor = minor;
    s.ntFamily = ntFamily;
}

void Desktop::setCompositionActive(bool active)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.compositionActive = active;
}

void Desktop::setScreens(const QList<QRect> &geometries, const QList<QRect> &available)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.screenGeometries = geometries;
    s.availableGeometries = available;
}

void Desktop::setAvailableGeometry(int screen, const QRect &available)
{
    {
        DesktopState &s = DesktopState::get();
        QMutexLocker lock(&s.mutex);
        if (screen < 0 || screen >= s.availableGeometries.size())
            return;
        s.availableGeometries[screen] = available;
    }
    emit workAreaResized(screen);
}

int Desktop::screenCount() const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.screenGeometries.isEmpty())
        return int(s.screenGeometries.size());
    return qGuiApp ? int(QGuiApplication::screens().size()) : 0;
}

QRect Desktop::screenGeometry(int screen) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.screenGeometries.isEmpty())
        return s.screenGeometries.value(screen);
    const QList<QScreen *> screens = qGuiApp ? QGuiApplication::screens() : QList<QScreen *>();
    return screen >= 0 && screen < screens.size() ? screens.at(screen)->geometry() : QRect();
}

QRect Desktop::availableGeometry(int screen) const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!s.availableGeometries.isEmpty())
        return s.availableGeometries.value(screen);
    const QList<QScreen *> screens = qGuiApp ? QGuiApplication::screens() : QList<QScreen *>();
    return screen >= 0 && screen < screens.size() ? screens.at(screen)->availableGeometry()
                                                  : QRect();
}

void Desktop::setFailure(Failure failure, bool on)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (on)
        s.failures.insert(failure);
    else
        s.failures.remove(failure);
}

void Desktop::failInkCollectorCreation(HRESULT code, int times)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.inkCreateFailure = code;
    s.inkCreateFailures = times;
}

void Desktop::failInkDisable(int times)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.inkDisableFailures = times;
}

QList<Desktop::InkCollectorInfo> Desktop::inkCollectors() const
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    QList<InkCollectorInfo> infos;
    for (InkCollectorObject *collector : s.inkCollectors)
        infos << collector->info();
    return infos;
}

int Desktop::fireInkEvent(HWND window, DISPID id, DISPPARAMS *params)
{
    DesktopState &s = DesktopState::get();
    QList<InkCollectorObject *> targets;
    {
        QMutexLocker lock(&s.mutex);
        for (InkCollectorObject *collector : s.inkCollectors) {
            if (collector->info().window == window) {
                collector->AddRef();
                targets << collector;
            }
        }
    }
    int reached = 0;
    for (InkCollectorObject *collector : targets) {
        reached += collector->fire(id, params);
        collector->Release();
    }
    return reached;
}

int Desktop::inkCursorButtonDown(HWND window)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return fireInkEvent(window, DISPID_ICECursorButtonDown, &none);
}

int Desktop::inkCursorButtonUp(HWND window)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return fireInkEvent(window, DISPID_ICECursorButtonUp, &none);
}

int Desktop::inkStroke(HWND window)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return fireInkEvent(window, DISPID_ICEStroke, &none);
}

int Desktop::inkPackets(HWND window, const QList<int> &values, int packetCount)
{
    SAFEARRAY *array = SafeArrayCreateVector(VT_I4, 0, ULONG(values.size()));
    for (LONG i = 0; i < LONG(values.size()); ++i) {
        LONG value = values.at(i);
        SafeArrayPutElement(array, &i, &value);
    }
    VARIANT args[2] = {};
    args[0].vt = VT_ARRAY | VT_I4;
    args[0].parray = array;
    args[1].vt = VT_I4;
    args[1].lVal = packetCount;
    DISPPARAMS params{args, nullptr, 2, 0};
    const int reached = fireInkEvent(window, DISPID_ICENewPackets, &params);
    SafeArrayDestroy(array);
    return reached;
}
