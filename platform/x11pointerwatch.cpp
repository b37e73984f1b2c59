#include "platform/x11pointerwatch.h"

#include "platform/desktop.h"
#include "platform/wintypes.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

constexpr int leftButton = 1;
constexpr int rightButton = 3;

UINT hookMessage(const XIRawEvent *event)
{
    switch (event->evtype) {
    case XI_RawMotion:
        return WM_MOUSEMOVE;
    case XI_RawButtonPress:
        return event->detail == leftButton    ? WM_LBUTTONDOWN
               : event->detail == rightButton ? WM_RBUTTONDOWN
                                              : 0;
    case XI_RawButtonRelease:
        return event->detail == leftButton ? WM_LBUTTONUP : 0;
    default:
        return 0;
    }
}

} // namespace

X11PointerWatch::X11PointerWatch(const QByteArray &displayName, QObject *parent) : QObject(parent)
{
    m_display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!m_display)
        return;
    int event = 0;
    int error = 0;
    // From version 2.1 on, raw events arrive whatever grabs the pointer.
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(m_display, "XInputExtension", &m_opcode, &event, &error)
        || XIQueryVersion(m_display, &major, &minor) != Success || minor < 1)
        return;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawMotion);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, int(sizeof(bits)), bits};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    XSync(m_display, False);
    m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11PointerWatch::readEvents);
}

X11PointerWatch::~X11PointerWatch()
{
    delete m_notifier;
    if (m_display)
        XCloseDisplay(m_display);
}

void X11PointerWatch::readEvents()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_opcode
            || !XGetEventData(m_display, cookie))
            continue;
        const UINT message = hookMessage(static_cast<const XIRawEvent *>(cookie->data));
        XFreeEventData(m_display, cookie);
        if (!message)
            continue;
        Window root = 0;
        Window child = 0;
        int x = 0;
        int y = 0;
        int windowX = 0;
        int windowY = 0;
        unsigned int buttons = 0;
        XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &x, &y, &windowX,
                      &windowY, &buttons);
        Desktop::instance()->injectMouse(message, x, y);
    }
}
