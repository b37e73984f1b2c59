#include "platform/x11desktop.h"

#include "platform/winapi.h"
#include "platform/x11keyboard.h"
#include "platform/x11pointerwatch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

namespace {

constexpr quintptr foreignTag = quintptr(1) << 32;
constexpr int activationWait = 500;
constexpr long sourcePager = 2;

unsigned long xid(HWND window)
{
    return static_cast<unsigned long>(reinterpret_cast<quintptr>(window) & 0xFFFFFFFFu);
}

int trappedError = 0;

int trapError(Display *, XErrorEvent *event)
{
    trappedError = event->error_code;
    return 0;
}

// Catches the X errors of the requests made while it lives, which would otherwise reach the
// toolkit's handler; failed() answers whether any came.
class ErrorTrap
{
public:
    explicit ErrorTrap(Display *display) : m_display(display)
    {
        XSync(m_display, False);
        trappedError = 0;
        m_previous = XSetErrorHandler(trapError);
    }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;
    ~ErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    bool failed()
    {
        XSync(m_display, False);
        return trappedError != 0;
    }

private:
    Display *m_display;
    XErrorHandler m_previous;
};

bool isTextCursorName(const char *name)
{
    const QByteArray cursor(name ? name : "");
    return cursor == "xterm" || cursor == "text" || cursor == "ibeam";
}

// The panel's own floating windows: frameless tool windows.
bool isFloatingWindow(const QWidget *widget)
{
    return widget->isWindow() && widget->windowType() == Qt::Tool
           && widget->windowFlags().testFlag(Qt::FramelessWindowHint);
}

QByteArray programDisplayName()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    return display ? QByteArray(DisplayString(display)) : qgetenv("DISPLAY");
}

void restoreAtExit()
{
    if (X11Desktop *desktop = X11Desktop::active())
        desktop->restoreKeyboard();
}

// The back end is chosen as the application starts, before any window shows.
void chooseBackEnd()
{
    X11Desktop::active();
}

Q_COREAPP_STARTUP_FUNCTION(chooseBackEnd)

} // namespace

X11Desktop *X11Desktop::active()
{
    static QMutex mutex;
    static bool chosen = false;
    static X11Desktop *desktop = nullptr;
    QMutexLocker lock(&mutex);
    // Chosen once a graphical application runs; a plain core application before it leaves
    // the choice open.
    if (chosen || !QCoreApplication::instance() || QGuiApplication::platformName().isEmpty())
        return desktop;
    chosen = true;
    if (qEnvironmentVariable("SCRIVEL_PLATFORM") == QLatin1String("model")
        || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const QByteArray name = programDisplayName();
    Display *display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        if (display)
            XCloseDisplay(display);
        qWarning("scrivel: no XTest on display %s, typing goes nowhere", name.constData());
        return nullptr;
    }
    desktop = new X11Desktop(display, name);
    qAddPostRoutine(restoreAtExit);
    return desktop;
}

bool X11Desktop::isForeign(HWND window)
{
    return (reinterpret_cast<quintptr>(window) & ~quintptr(0xFFFFFFFFu)) == foreignTag;
}

X11Desktop::X11Desktop(_XDisplay *display, const QByteArray &displayName)
    : m_display(display), m_displayName(displayName),
      m_keyboard(std::make_unique<X11Keyboard>(display))
{
    QCoreApplication::instance()->installEventFilter(this);
}

X11Desktop::~X11Desktop()
{
    m_pointer.reset();
    m_keyboard.reset();
    XCloseDisplay(m_display);
}

unsigned long X11Desktop::atom(const char *name)
{
    return XInternAtom(m_display, name, False);
}

// The first 32-bit item of the window's property, 0 when it has none of that type.
unsigned long X11Desktop::windowProperty(unsigned long window, const char *property,
                                         unsigned long type, bool *found)
{
    ErrorTrap trap(m_display);
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    unsigned long value = 0;
    const bool read = XGetWindowProperty(m_display, window, atom(property), 0, 1, False, type,
                                         &actualType, &format, &items, &after, &data)
                          == Success
                      && actualType == type && format == 32 && items == 1;
    if (read)
        value = *reinterpret_cast<unsigned long *>(data);
    if (data)
        XFree(data);
    if (found)
        *found = read && !trap.failed();
    return value;
}

// A window manager that publishes the active window: its check window names itself.
bool X11Desktop::hasWindowManager()
{
    const Window root = DefaultRootWindow(m_display);
    const unsigned long check = windowProperty(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    bool alive = false;
    return check && windowProperty(check, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &alive) == check
           && alive;
}

unsigned long X11Desktop::activeWindow()
{
    if (hasWindowManager())
        return windowProperty(DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return 0;
    return clientWindow(focus);
}

// The top-level window holding a window: the first with WM_STATE, else the root's child.
unsigned long X11Desktop::clientWindow(unsigned long window)
{
    ErrorTrap trap(m_display);
    const Window root = DefaultRootWindow(m_display);
    const Atom state = atom("WM_STATE");
    while (window && window != root) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(m_display, window, state, 0, 0, False, AnyPropertyType, &type, &format,
                           &items, &after, &data);
        if (data)
            XFree(data);
        if (type != None)
            return window;
        Window rootReturn = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, window, &rootReturn, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return window;
        window = parent;
    }
    return 0;
}

HWND X11Desktop::handle(unsigned long window)
{
    if (!window)
        return nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->internalWinId() == WId(window))
            return widgetWindow(widget);
    }
    return reinterpret_cast<HWND>(foreignTag | window);
}

HWND X11Desktop::foregroundWindow()
{
    return handle(activeWindow());
}

bool X11Desktop::activate(HWND window)
{
    if (!isVisible(window))
        return false;
    const Window target = xid(window);
    if (!hasWindowManager()) {
        ErrorTrap trap(m_display);
        XSetInputFocus(m_display, target, RevertToParent, CurrentTime);
        return !trap.failed() && activeWindow() == target;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = sourcePager;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(m_display);
    QElapsedTimer waited;
    waited.start();
    while (activeWindow() != target) {
        if (waited.elapsed() > activationWait)
            return false;
        QThread::msleep(5);
    }
    return true;
}

bool X11Desktop::isWindow(HWND window)
{
    ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, xid(window), &attributes) && !trap.failed();
}

bool X11Desktop::isVisible(HWND window)
{
    ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, xid(window), &attributes) && !trap.failed()
           && attributes.map_state == IsViewable;
}

DWORD X11Desktop::threadProcessId(HWND window, DWORD *processId)
{
    if (!isWindow(window))
        return 0;
    const DWORD process = DWORD(windowProperty(xid(window), "_NET_WM_PID", XA_CARDINAL));
    if (processId)
        *processId = process;
    return process ? process : DWORD(xid(window));
}

UINT X11Desktop::sendInput(UINT count, const INPUT *inputs)
{
    for (UINT i = 0; i < count; ++i) {
        const INPUT &input = inputs[i];
        const bool sent = input.type == INPUT_KEYBOARD ? m_keyboard->send(input.ki)
                          : input.type == INPUT_MOUSE  ? sendMouse(input.mi)
                                                       : false;
        if (!sent)
            return i;
    }
    return count;
}

// Moves only with MOUSEEVENTF_MOVE, to absolute coordinates on the 0..65535 scale of the
// screen as Windows does; buttons press where the pointer is.
bool X11Desktop::sendMouse(const MOUSEINPUT &mouse)
{
    if (mouse.dwFlags & MOUSEEVENTF_MOVE) {
        if (mouse.dwFlags & MOUSEEVENTF_ABSOLUTE) {
            const Screen *screen = DefaultScreenOfDisplay(m_display);
            const int x = int(qint64(mouse.dx) * (WidthOfScreen(screen) - 1) / 65535);
            const int y = int(qint64(mouse.dy) * (HeightOfScreen(screen) - 1) / 65535);
            XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(m_display, mouse.dx, mouse.dy, CurrentTime);
        }
        XSync(m_display, False);
    }
    const struct
    {
        DWORD flag;
        unsigned button;
        bool down;
    } buttons[] = {{MOUSEEVENTF_LEFTDOWN, 1, true},
                   {MOUSEEVENTF_LEFTUP, 1, false},
                   {MOUSEEVENTF_RIGHTDOWN, 3, true},
                   {MOUSEEVENTF_RIGHTUP, 3, false}};
    for (const auto &button : buttons) {
        if (mouse.dwFlags & button.flag) {
            XTestFakeButtonEvent(m_display, button.button, button.down ? True : False,
                                 CurrentTime);
            XSync(m_display, False);
        }
    }
    return true;
}

bool X11Desktop::cursor(QPoint *position, bool *textCursor)
{
    int event = 0;
    int error = 0;
    if (!XFixesQueryExtension(m_display, &event, &error))
        return false;
    XFixesCursorImage *image = XFixesGetCursorImage(m_display);
    if (!image)
        return false;
    *position = QPoint(image->x, image->y);
    *textCursor = isTextCursorName(image->name);
    XFree(image);
    return true;
}

void X11Desktop::watchPointer(bool on)
{
    if (!on) {
        m_pointer.reset();
    } else if (!m_pointer) {
        m_pointer = std::make_unique<X11PointerWatch>(m_displayName);
        if (!m_pointer->isWatching())
            qWarning("scrivel: no XInput 2 on the display, the mouse hook sees no clicks");
    }
}

void X11Desktop::restoreKeyboard()
{
    m_keyboard->restoreKeys();
}

// Floating windows show without activation and refuse the focus, so the application the user
// writes for keeps it through clicks on the panel.
bool X11Desktop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (isFloatingWindow(widget) && widget->windowHandle()) {
            widget->setAttribute(Qt::WA_ShowWithoutActivating);
            QWindow *window = widget->windowHandle();
            window->setFlags(window->flags() | Qt::WindowDoesNotAcceptFocus);
        }
    }
    return QObject::eventFilter(watched, event);
}
