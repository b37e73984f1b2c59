#pragma once

#include "platform/comtypes.h"
#include "platform/platformglobal.h"
#include "platform/wintypes.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// The desktop that the Windows calls of platform/winapi.h act on: tests drive it and read it
// back, the program reaches it only through those calls.
class SCRIVELPLATFORM_EXPORT Desktop : public QObject
{
    Q_OBJECT
public:
    using MessageHandler = std::function<bool(MSG *message, LRESULT *result)>;

    struct InputRecord
    {
        INPUT input;
        HWND foreground;
    };

    struct InkCollectorInfo
    {
        HWND window;
        bool enabled;
        bool autoRedraw;
        bool dynamicRendering;
        std::uint64_t interests; // bit n: interest n is on
        int sinks;
    };

    enum Failure {
        RefuseForeground,
        CreateMutexFails,
        CreateMappingFails,
        MapViewFails,
        HookInstallFails,
        FolderLookupFails,
        CursorInfoFails,
        RegistryFails,
        SendInputFails,
    };

    enum CursorShape { ArrowCursor, IBeamCursor };

    static Desktop *instance();

    // Back to a fresh desktop: only the taskbar window, no objects, no failures.
    void reset();

    HWND createWindow(const QString &className, DWORD threadId, bool visible = true);
    void destroyWindow(HWND window);
    void setWindowVisible(HWND window, bool visible);
    HWND taskbarWindow() const;
    // The user brings a window to the front.
    void activate(HWND window);
    bool isAttached(DWORD thread, DWORD otherThread) const;
    int attachmentCount() const;

    // Messages to program windows go first to the filter, then to the window's handler.
    void setMessageFilter(MessageHandler filter);
    void setWindowHandler(HWND window, MessageHandler handler);
    LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    QList<MSG> postedMessages(HWND window) const;
    void clearPostedMessages();

    QList<InputRecord> inputLog() const;
    // The Unicode text typed while the window was in the foreground.
    QString typedText(HWND window) const;
    // The log as short words: "h+" "h-" for Unicode units, "13+" "46x-" for virtual keys
    // (x: extended), "click+" "click-" for mouse buttons.
    QStringList keyTrace() const;
    void clearInputLog();

    // Runs the low-level mouse hooks; true when a hook swallowed the event.
    bool injectMouse(UINT message, int x, int y);
    int hookCount() const;
    // The system removes every low-level hook, as it does with hooks that stop answering.
    void dropHooks();

    void setCursorShape(CursorShape shape);
    void setCursorPos(const QPoint &position);

    bool mutexExists(const QString &name) const;
    bool mappingExists(const QString &name) const;
    QByteArray mappingContents(const QString &name) const;
    // Creates the mapping (held by the desktop until reset) when it does not exist.
    void setMappingContents(const QString &name, const QByteArray &bytes);
    bool moduleLoaded(const QString &fileName) const;
    void hideModule(const QString &fileName, bool hidden = true);
    void hideExport(const QString &fileName, const QString &symbol, bool hidden = true);

    void setKnownFolder(int csidl, const QString &path);
    QString registryValue(const QString &key, const QString &name) const;
    bool hasRegistryValue(const QString &key, const QString &name) const;
    void setRegistryValue(const QString &key, const QString &name, const QString &value);

    void setOsVersion(int major, int minor, bool ntFamily = true);
    void setCompositionActive(bool active);

    void setScreens(const QList<QRect> &geometries, const QList<QRect> &available);
    void setAvailableGeometry(int screen, const QRect &available);
    int screenCount() const;
    QRect screenGeometry(int screen) const;
    QRect availableGeometry(int screen) const;

    void setFailure(Failure failure, bool on = true);
    // The next `times` ink collector creations answer `code`.
    void failInkCollectorCreation(HRESULT code, int times = 1);
    // The next `times` calls that disable an ink collector fail.
    void failInkDisable(int times);

    // COM initialisations of the calling thread.
    int comInitCount() const;
    QList<InkCollectorInfo> inkCollectors() const;
    // Raises an event on the enabled collectors bound to the window that listen to it;
    // answers the number of sinks reached.
    int fireInkEvent(HWND window, DISPID id, DISPPARAMS *params);
    int inkCursorButtonDown(HWND window);
    int inkCursorButtonUp(HWND window);
    int inkStroke(HWND window);
    int inkPackets(HWND window, const QList<int> &values, int packetCount);

signals:
    void workAreaResized(int screen);

private:
    Desktop();
    LRESULT deliver(const MSG &message);
    friend struct DesktopState;
};
