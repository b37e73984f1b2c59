// The program as a user meets it on an X11 desktop: started on the test's own Xvfb beside a
// second client that has the focus, a word of real pen ink (letters of a writer the Latin model
// learnt from) drawn on its pad with the pointer, recognised, sent with the send button, and
// typed into the client, which keeps the focus throughout.

#include "x11testclient.h"
#include "xvfbsession.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int showTimeout = 20000;
constexpr int recogniseTimeout = 15000;
constexpr int settleTime = 1500;
constexpr int inkHeight = 60;
constexpr int letterGap = 12;
// Points a pen's speed apart, so that a busy program does not merge them.
constexpr int minimumStep = 3;
constexpr unsigned long pointInterval = 10;
const QPoint panelPlace(300, 600);

using Stroke = QList<QPoint>;
using Letter = QList<Stroke>;

// The first sample of each character in a UJI pen characters file.
QHash<QChar, Letter> readLetters(const QString &path)
{
    QFile file(path);
    QHash<QChar, Letter> letters;
    if (!file.open(QIODevice::ReadOnly))
        return letters;
    static const QRegularExpression segment(
        QStringLiteral(R"re(^\.SEGMENT CHARACTER [\d-]+ \? "(.)")re"));
    static const QRegularExpression point(QStringLiteral(R"re(^\s*(-?\d+)\s+(-?\d+)\s*$)re"));
    Letter *letter = nullptr;
    Stroke *stroke = nullptr;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine());
        const QRegularExpressionMatch start = segment.match(line);
        if (start.hasMatch()) {
            const QChar name = start.captured(1).at(0);
            letter = letters.contains(name) ? nullptr : &letters[name];
            stroke = nullptr;
        } else if (line.startsWith(QLatin1String(".PEN_DOWN")) && letter) {
            letter->append(Stroke());
            stroke = &letter->last();
        } else if (line.startsWith(QLatin1String(".PEN_UP"))) {
            stroke = nullptr;
        } else if (const QRegularExpressionMatch p = point.match(line); p.hasMatch() && stroke) {
            stroke->append(QPoint(p.captured(1).toInt(), p.captured(2).toInt()));
        }
    }
    return letters;
}

// The word's letters side by side from `origin`, ascenders `inkHeight` tall and small letters
// about half that, on one base line.
QList<Stroke> layOut(const QHash<QChar, Letter> &letters, const QString &word, QPoint origin)
{
    QList<Stroke> strokes;
    for (const QChar c : word) {
        const Letter letter = letters.value(c);
        QRect box;
        for (const Stroke &stroke : letter) {
            for (const QPoint &p : stroke)
                box = box.isNull() ? QRect(p, QSize(1, 1)) : box.united(QRect(p, QSize(1, 1)));
        }
        const bool small = QStringLiteral("acemnorsuvwxz").contains(c);
        const double scale = (small ? inkHeight * 0.55 : inkHeight) / qMax(1, box.height());
        const double top = origin.y() + inkHeight - box.height() * scale;
        for (const Stroke &stroke : letter) {
            Stroke placed;
            for (const QPoint &p : stroke)
                placed << QPoint(origin.x() + int((p.x() - box.left()) * scale),
                                 int(top + (p.y() - box.top()) * scale));
            strokes << placed;
        }
        origin.rx() += int(box.width() * scale) + letterGap;
    }
    return strokes;
}

// The window holding the keyboard focus, for failure messages.
QByteArray focusReport(Display *display)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    char *name = nullptr;
    XWindowAttributes attributes{};
    if (focus > PointerRoot) {
        XFetchName(display, focus, &name);
        XGetWindowAttributes(display, focus, &attributes);
    }
    const QByteArray report = QByteArray("the focus is on window ") + QByteArray::number(qulonglong(focus))
                              + " \"" + QByteArray(name ? name : "") + "\" "
                              + QByteArray::number(attributes.width) + 'x'
                              + QByteArray::number(attributes.height);
    if (name)
        XFree(name);
    return report;
}

} // namespace

class TestX11Program : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void writtenWordReachesClient_data();
    void writtenWordReachesClient();

private:
    QProcessEnvironment programEnvironment(const QString &home) const;
    void storeSettings(const QString &home) const;
    unsigned long panelWindow(qint64 processId, QRect *geometry) const;
    bool findSendButton(unsigned long panel, const QRect &geometry, QPoint *centre) const;
    void draw(const QList<Stroke> &strokes) const;
    QByteArray picture(unsigned long panel, const QRect &geometry) const;
    bool waitUntilSettled(unsigned long panel, const QRect &geometry) const;

    std::unique_ptr<XvfbSession> m_session;
    QString m_program;
};

void TestX11Program::initTestCase()
{
    m_program = QStringLiteral(SCRIVEL_BIN_DIR "/InkoraScrivel");
    if (!QFile::exists(m_program))
        QSKIP("the program is not part of this build");
    m_session = std::make_unique<XvfbSession>();
    if (!m_session->isRunning())
        QSKIP(qPrintable(QStringLiteral("no X server for the X11 tests: ") + m_session->error()));
}

void TestX11Program::cleanup()
{
    m_session->stopWindowManager();
}

QProcessEnvironment TestX11Program::programEnvironment(const QString &home) const
{
    QProcessEnvironment env = m_session->clientEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), home + QStringLiteral("/shared"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    return env;
}

// An earlier run's settings: English writing, the panel at a known place.
void TestX11Program::storeSettings(const QString &home) const
{
    QSettings store(home + QStringLiteral("/config/Tarvell/Inkora Scrivel.conf"),
                    QSettings::IniFormat);
    store.beginGroup(QStringLiteral("3.2"));
    store.setValue(QStringLiteral("exists"), true);
    store.setValue(QStringLiteral("workingLanguages"), QStringLiteral("en_US "));
    store.setValue(QStringLiteral("activeLanguage"), QStringLiteral("en_US"));
    store.setValue(QStringLiteral("lastInputMode"), QStringLiteral("cursive"));
    store.setValue(QStringLiteral("geoWindowedPosition"), panelPlace);
}

// The program's largest viewable top-level window (the panel) and its place on the screen.
unsigned long TestX11Program::panelWindow(qint64 processId, QRect *geometry) const
{
    Display *display = m_session->display();
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, root, &rootReturn, &parent, &children, &count);
    QList<Window> candidates(children, children + count);
    if (children)
        XFree(children);
    // Under a window manager the program's windows are children of its frames.
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        if (XQueryTree(display, candidates.at(i), &rootReturn, &parent, &children, &count)) {
            candidates.append(QList<Window>(children, children + count));
            if (children)
                XFree(children);
        }
    }
    unsigned long best = 0;
    for (Window window : std::as_const(candidates)) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1,
                           False, XA_CARDINAL, &type, &format, &items, &after, &data);
        const qint64 pid = data && items == 1 ? qint64(*reinterpret_cast<unsigned long *>(data))
                                              : 0;
        if (data)
            XFree(data);
        XWindowAttributes attributes;
        if (pid != processId || !XGetWindowAttributes(display, window, &attributes)
            || attributes.map_state != IsViewable)
            continue;
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
        const QRect place(x, y, attributes.width, attributes.height);
        if (place.width() * place.height() > geometry->width() * geometry->height()) {
            *geometry = place;
            best = window;
        }
    }
    return best;
}

// The send button, a blue disc at the panel's right, once the panel offers it.
bool TestX11Program::findSendButton(unsigned long panel, const QRect &geometry,
                                    QPoint *centre) const
{
    Display *display = m_session->display();
    const int left = geometry.width() * 3 / 4;
    XImage *image = XGetImage(display, panel, left, 0, unsigned(geometry.width() - left),
                              unsigned(geometry.height()), AllPlanes, ZPixmap);
    if (!image)
        return false;
    QPoint sum;
    int found = 0;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const int red = int((pixel >> 16) & 0xFF);
            const int blue = int(pixel & 0xFF);
            if (blue > 180 && blue - red > 100) {
                sum += QPoint(x, y);
                ++found;
            }
        }
    }
    XDestroyImage(image);
    if (found < 50)
        return false;
    *centre = geometry.topLeft() + QPoint(left, 0) + sum / found;
    return true;
}

QByteArray TestX11Program::picture(unsigned long panel, const QRect &geometry) const
{
    XImage *image = XGetImage(m_session->display(), panel, 0, 0, unsigned(geometry.width()),
                              unsigned(geometry.height()), AllPlanes, ZPixmap);
    if (!image)
        return QByteArray();
    const QByteArray bytes(image->data, qsizetype(image->bytes_per_line) * image->height);
    XDestroyImage(image);
    return bytes;
}

// Waits until the panel has looked the same for a while: the recognition has come back.
bool TestX11Program::waitUntilSettled(unsigned long panel, const QRect &geometry) const
{
    const QDeadlineTimer deadline(recogniseTimeout);
    QByteArray last = picture(panel, geometry);
    QDeadlineTimer still(settleTime);
    while (!deadline.hasExpired()) {
        QTest::qWait(100);
        const QByteArray now = picture(panel, geometry);
        if (now != last) {
            last = now;
            still.setRemainingTime(settleTime);
        } else if (still.hasExpired()) {
            return true;
        }
    }
    return false;
}

void TestX11Program::draw(const QList<Stroke> &strokes) const
{
    Display *display = m_session->display();
    for (const Stroke &stroke : strokes) {
        if (stroke.isEmpty())
            continue;
        XTestFakeMotionEvent(display, -1, stroke.first().x(), stroke.first().y(), CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
        QPoint last = stroke.first();
        for (const QPoint &p : stroke) {
            if ((p - last).manhattanLength() < minimumStep && p != stroke.last())
                continue;
            last = p;
            XTestFakeMotionEvent(display, -1, p.x(), p.y(), CurrentTime);
            XSync(display, False);
            QThread::msleep(pointInterval);
        }
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XSync(display, False);
        QThread::msleep(40);
    }
}

void TestX11Program::writtenWordReachesClient_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::newRow("no window manager") << false;
    QTest::newRow("openbox") << true;
}

void TestX11Program::writtenWordReachesClient()
{
    QFETCH(bool, windowManager);
    QVERIFY(!windowManager || m_session->startWindowManager());
    const QHash<QChar, Letter> letters = readLetters(
        QStringLiteral(SCRIVEL_SOURCE_DIR "/resources/ink/uji-v1/UJIpenchars-w01.txt"));
    QVERIFY(letters.contains(QLatin1Char('h')));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    storeSettings(home.path());

    X11TestClient client;
    QVERIFY2(client.start(*m_session, QPoint(100, 50)), qPrintable(client.error()));
    QProcess program;
    program.setProcessEnvironment(programEnvironment(home.path()));
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_program, QStringList());
    QVERIFY(program.waitForStarted());
    const auto end = qScopeGuard([&program] {
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished(5000);
        }
    });

    QRect panel;
    unsigned long window = 0;
    const QDeadlineTimer shown(showTimeout);
    while (!(window = panelWindow(program.processId(), &panel)) && !shown.hasExpired()
           && program.state() == QProcess::Running)
        QTest::qWait(50);
    QVERIFY2(window, program.readAll().constData());
    QTRY_VERIFY2(client.hasFocus(), focusReport(m_session->display()).constData());
    // The panel may still slide or fade in.
    QVERIFY(waitUntilSettled(window, panel));
    panel = QRect();
    QCOMPARE(panelWindow(program.processId(), &panel), window);

    draw(layOut(letters, QStringLiteral("hello"), panel.topLeft() + QPoint(40, 80)));
    QPoint send;
    QTRY_VERIFY_WITH_TIMEOUT(findSendButton(window, panel, &send), recogniseTimeout);
    QVERIFY(waitUntilSettled(window, panel));
    QVERIFY2(client.hasFocus(), focusReport(m_session->display()).constData());
    m_session->click(send.x(), send.y());

    QTRY_COMPARE_WITH_TIMEOUT(client.text().trimmed(), QStringLiteral("hello"), recogniseTimeout);
    QVERIFY2(client.hasFocus(), focusReport(m_session->display()).constData());
    QVERIFY2(program.state() == QProcess::Running, program.readAll().constData());
}

QTEST_GUILESS_MAIN(TestX11Program)

#include "tst_x11program.moc"
