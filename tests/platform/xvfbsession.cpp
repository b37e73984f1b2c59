#include "xvfbsession.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <sys/prctl.h>

#include <csignal>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int startTimeout = 10000;
constexpr unsigned long managerSettleTime = 500;

// The processes a test starts end with it, even when it crashes.
void endWithTest(QProcess *process)
{
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

void endProcess(QProcess *process)
{
    if (process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

} // namespace

XvfbSession::XvfbSession()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        m_error = QStringLiteral("Xvfb is not installed");
        return;
    }
    endWithTest(&m_server);
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                          QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
    QByteArray number;
    const QDeadlineTimer deadline(startTimeout);
    while (!number.contains('\n') && !deadline.hasExpired()
           && m_server.waitForReadyRead(int(deadline.remainingTime())))
        number += m_server.readAllStandardOutput();
    if (!number.contains('\n')) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_server.errorString();
        endProcess(&m_server);
        return;
    }
    m_displayName = ':' + number.trimmed();
    m_display = XOpenDisplay(m_displayName.constData());
    if (!m_display) {
        m_error = QStringLiteral("cannot open the display of Xvfb");
        endProcess(&m_server);
    }
}

XvfbSession::~XvfbSession()
{
    stopWindowManager();
    if (m_display)
        XCloseDisplay(m_display);
    endProcess(&m_server);
}

QProcessEnvironment XvfbSession::clientEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_displayName));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_ACCESSIBILITY"), QStringLiteral("0"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    environment.remove(QStringLiteral("QT_IM_MODULE"));
    environment.remove(QStringLiteral("XMODIFIERS"));
    return environment;
}

bool XvfbSession::startWindowManager()
{
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (!m_display || openbox.isEmpty())
        return false;
    m_windowManager = std::make_unique<QProcess>();
    endWithTest(m_windowManager.get());
    m_windowManager->setProcessEnvironment(clientEnvironment());
    m_windowManager->setStandardOutputFile(QProcess::nullDevice());
    m_windowManager->setStandardErrorFile(QProcess::nullDevice());
    m_windowManager->start(openbox, {QStringLiteral("--sm-disable")});
    const QDeadlineTimer deadline(startTimeout);
    while (!hasWindowManager()) {
        if (deadline.hasExpired() || m_windowManager->state() == QProcess::NotRunning)
            return false;
        QThread::msleep(20);
    }
    // It publishes the property before it manages the windows that map meanwhile.
    QThread::msleep(managerSettleTime);
    return true;
}

void XvfbSession::stopWindowManager()
{
    if (!m_windowManager)
        return;
    endProcess(m_windowManager.get());
    m_windowManager.reset();
    if (!m_display)
        return;
    // Back to a bare server: no window manager properties left for the next clients to trust.
    const Window root = DefaultRootWindow(m_display);
    int count = 0;
    Atom *properties = XListProperties(m_display, root, &count);
    for (int i = 0; i < count; ++i) {
        char *name = XGetAtomName(m_display, properties[i]);
        const QByteArray property(name);
        XFree(name);
        if (property.startsWith("_NET_") || property.startsWith("_OB_"))
            XDeleteProperty(m_display, root, properties[i]);
    }
    if (properties)
        XFree(properties);
    XSetInputFocus(m_display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
}

bool XvfbSession::hasWindowManager() const
{
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(m_display, DefaultRootWindow(m_display),
                       XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                       XA_WINDOW, &type, &format, &items, &after, &data);
    const bool found = data && items == 1;
    if (data)
        XFree(data);
    return found;
}

void XvfbSession::focus(unsigned long window) const
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(m_display, window, &attributes)
        && attributes.map_state == IsViewable)
        XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void XvfbSession::activate(unsigned long window) const
{
    if (!hasWindowManager())
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(m_display, False);
}

QList<unsigned long> XvfbSession::keyboardMap() const
{
    int first = 0;
    int last = 0;
    XDisplayKeycodes(m_display, &first, &last);
    int width = 0;
    KeySym *symbols = XGetKeyboardMapping(m_display, KeyCode(first), last - first + 1, &width);
    QList<unsigned long> map;
    for (int i = 0; i < (last - first + 1) * width; ++i)
        map << symbols[i];
    XFree(symbols);
    return map;
}

bool XvfbSession::isKeyDown(unsigned long keysym) const
{
    char down[32];
    XQueryKeymap(m_display, down);
    const KeyCode keycode = XKeysymToKeycode(m_display, keysym);
    return keycode && (down[keycode / 8] & (1 << (keycode % 8)));
}

void XvfbSession::fakeKey(unsigned long keysym, bool down)
{
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), down ? True : False,
                      CurrentTime);
    XSync(m_display, False);
}

void XvfbSession::movePointer(int x, int y)
{
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    XSync(m_display, False);
}

void XvfbSession::click(int x, int y)
{
    movePointer(x, y);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XSync(m_display, False);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}
