#pragma once

#include <QByteArray>
#include <QProcess>
#include <QRect>
#include <QString>

class XvfbSession;

// The test's second X client (the scrivel_x11client program): a window with a text field that
// reports what it received.
class X11TestClient
{
public:
    X11TestClient() = default;
    X11TestClient(const X11TestClient &) = delete;
    X11TestClient &operator=(const X11TestClient &) = delete;
    ~X11TestClient();

    // Starts the client at the place and waits until it shows with the focus; false with
    // error() when it does not.
    bool start(const XvfbSession &session, const QPoint &place = QPoint(100, 100));
    QString error() const { return m_error; }
    void quit();

    unsigned long window() const { return m_window; }
    QRect field() const { return m_field; }
    qint64 processId() const { return m_process.processId(); }
    // What the field holds now; a null string when the client does not answer.
    QString text();
    bool hasFocus();

private:
    QByteArray ask(const QByteArray &command, const QByteArray &answer);
    QByteArray readLine(const QByteArray &prefix, int timeout);

    QProcess m_process;
    unsigned long m_window = 0;
    QRect m_field;
    QString m_error;
};
