#include "x11testclient.h"

#include "xvfbsession.h"

#include <QDeadlineTimer>

#include <sys/prctl.h>

#include <csignal>

namespace {

constexpr int startTimeout = 15000;
constexpr int answerTimeout = 5000;
constexpr int activationRetry = 500;

} // namespace

X11TestClient::~X11TestClient()
{
    quit();
}

bool X11TestClient::start(const XvfbSession &session, const QPoint &place)
{
    m_process.setProcessEnvironment(session.clientEnvironment());
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral(SCRIVEL_X11_CLIENT),
                    {QString::number(place.x()), QString::number(place.y())});
    if (!m_process.waitForStarted(startTimeout)) {
        m_error = QStringLiteral("the client did not start");
        return false;
    }
    const QList<QByteArray> shown = readLine("shown ", startTimeout).split(' ');
    if (shown.size() != 2) {
        m_error = QStringLiteral("the client did not show");
        return false;
    }
    // A window manager may keep a new window from the focus, or not manage it yet: ask it as
    // a pager does, then give the focus directly.
    QByteArray line;
    const QDeadlineTimer deadline(startTimeout);
    for (int tries = 0; line.isEmpty() && !deadline.hasExpired()
                        && m_process.state() == QProcess::Running;
         ++tries) {
        if (tries == 0)
            session.activate(shown.at(1).toULong());
        else
            session.focus(shown.at(1).toULong());
        line = readLine("ready ", activationRetry);
    }
    const QList<QByteArray> ready = line.split(' ');
    if (ready.size() != 6) {
        m_error = QStringLiteral("the client did not get the focus");
        return false;
    }
    m_window = ready.at(1).toULong();
    m_field = QRect(ready.at(2).toInt(), ready.at(3).toInt(), ready.at(4).toInt(),
                    ready.at(5).toInt());
    return m_window != 0;
}

void X11TestClient::quit()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    if (!m_process.waitForFinished(answerTimeout)) {
        m_process.kill();
        m_process.waitForFinished(answerTimeout);
    }
}

QString X11TestClient::text()
{
    const QByteArray answer = ask("text", "text");
    if (answer.isNull())
        return QString();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(answer.mid(4).trimmed()));
}

bool X11TestClient::hasFocus()
{
    return ask("focus", "focus") == "focus 1";
}

QByteArray X11TestClient::ask(const QByteArray &command, const QByteArray &answer)
{
    if (m_process.state() != QProcess::Running)
        return QByteArray();
    m_process.write(command + '\n');
    return readLine(answer, answerTimeout);
}

// The next line of the client's output that starts with the prefix, skipping others.
QByteArray X11TestClient::readLine(const QByteArray &prefix, int timeout)
{
    const QDeadlineTimer deadline(timeout);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().chopped(1);
            if (line.startsWith(prefix))
                return line;
        }
        if (m_process.state() != QProcess::Running
            || !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
    }
    return QByteArray();
}
