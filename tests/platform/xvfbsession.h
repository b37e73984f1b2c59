#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <memory>

struct _XDisplay;

// An X server of the test's own: Xvfb on a display it picks itself, with the openbox window
// manager on request and an Xlib connection for the test. It ends what it started.
class XvfbSession
{
public:
    XvfbSession();
    XvfbSession(const XvfbSession &) = delete;
    XvfbSession &operator=(const XvfbSession &) = delete;
    ~XvfbSession();

    // False with error() when Xvfb could not start.
    bool isRunning() const { return m_display != nullptr; }
    QString error() const { return m_error; }
    QByteArray displayName() const { return m_displayName; }
    _XDisplay *display() const { return m_display; }
    // The environment for a client of this display on the xcb platform.
    QProcessEnvironment clientEnvironment() const;

    // Starts openbox and waits until it manages the screen; false when it does not.
    bool startWindowManager();
    void stopWindowManager();
    bool hasWindowManager() const;
    // Asks the window manager to activate the window, as a pager does.
    void activate(unsigned long window) const;
    // Gives the window the input focus directly.
    void focus(unsigned long window) const;

    // Key symbols of every key code, to compare the keyboard map before and after.
    QList<unsigned long> keyboardMap() const;
    // Whether the key of the symbol is down.
    bool isKeyDown(unsigned long keysym) const;
    void fakeKey(unsigned long keysym, bool down);
    void movePointer(int x, int y);
    void click(int x, int y);

private:
    QProcess m_server;
    std::unique_ptr<QProcess> m_windowManager;
    QByteArray m_displayName;
    _XDisplay *m_display = nullptr;
    QString m_error;
};
