// The Windows calls on a real X11 display: the test runs its own Xvfb, with and without a
// window manager, and types into a second X client.

#include "x11testclient.h"
#include "xvfbsession.h"

#include "platform/winapi.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <X11/keysym.h>

namespace {

constexpr int arriveTimeout = 8000;

struct HookEvent
{
    WPARAM message;
    POINT point;
};

QList<HookEvent> hookEvents;
HHOOK testHook = nullptr;

LRESULT recordHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam != WM_MOUSEMOVE)
        hookEvents << HookEvent{wParam, reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam)->pt};
    return CallNextHookEx(testHook, code, wParam, lParam);
}

INPUT keyInput(WORD virtualKey, WORD unit, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unit;
    input.ki.dwFlags = flags;
    return input;
}

// The records for a line of keys as the output integrator sends them, one a call: text as
// Unicode key presses and releases per UTF-16 unit; "{13}" taps a virtual key, "{+17}" and
// "{-17}" press and release one.
bool sendKeys(const QString &keys)
{
    QList<INPUT> inputs;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == QLatin1Char('{')) {
            const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
            const QString word = keys.mid(i + 1, end - i - 1);
            const bool press = !word.startsWith(QLatin1Char('-'));
            const bool release = !word.startsWith(QLatin1Char('+'));
            const WORD key = WORD(word.toInt() < 0 ? -word.toInt() : word.toInt());
            if (press)
                inputs << keyInput(key, 0, 0);
            if (release)
                inputs << keyInput(key, 0, KEYEVENTF_KEYUP);
            i = end;
            continue;
        }
        const WORD unit = keys.at(i).unicode();
        inputs << keyInput(0, unit, KEYEVENTF_UNICODE)
               << keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    for (INPUT &input : inputs) {
        if (SendInput(1, &input, sizeof(INPUT)) != 1)
            return false;
    }
    return true;
}

// A stand-in for the panel: a floating tool window with a button.
class FloatingPanel : public QWidget
{
public:
    FloatingPanel()
    {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setGeometry(700, 600, 200, 120);
        button = new QPushButton(QStringLiteral("Send"), this);
        button->setGeometry(20, 20, 160, 80);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    }
    QPoint buttonCentre() const { return button->mapToGlobal(button->rect().center()); }

    QPushButton *button;
    int clicks = 0;
};

} // namespace

class TestX11Desktop : public QObject
{
    Q_OBJECT
public:
    explicit TestX11Desktop(XvfbSession *session) : m_session(session) {}

private slots:
    void initTestCase();
    void cleanup();
    void typesIntoClient_data();
    void typesIntoClient();
    void heldModifierStaysHeld();
    void panelNeverTakesFocus_data();
    void panelNeverTakesFocus();
    void activatesOtherClients_data();
    void activatesOtherClients();
    void hookSeesClientClicks();
    void textCursorOverTextField();
    void runKeyIsAutostartEntry();

private:
    void addDesktopRows();
    bool startDesktop(bool windowManager);

    XvfbSession *m_session;
};

void TestX11Desktop::initTestCase()
{
    if (!m_session->isRunning())
        QSKIP(qPrintable(QStringLiteral("no X server for the X11 tests: ") + m_session->error()));
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

void TestX11Desktop::cleanup()
{
    m_session->stopWindowManager();
}

void TestX11Desktop::addDesktopRows()
{
    QTest::addColumn<bool>("windowManager");
}

bool TestX11Desktop::startDesktop(bool windowManager)
{
    return !windowManager || m_session->startWindowManager();
}

void TestX11Desktop::typesIntoClient_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    const struct
    {
        const char *name;
        const char16_t *keys;
        const char16_t *expected;
    } cases[] = {
        {"accents, return, dash and kanji", u"héllo wörld{13}naïve — 日本語",
         u"héllo wörld\nnaïve — 日本語"},
        {"arrow keys after missing characters", u"日本{37}{37}x", u"x日本"},
        {"backspace after text", u"abc{8}d", u"abd"},
        {"shifted characters", u"Hello, World!", u"Hello, World!"},
        {"control combination selects all", u"hello{+17}{65}{-17}z", u"z"},
        {"character beyond the basic plane", u"a\U0001F600b", u"a\U0001F600b"},
        {"more missing characters than spare keys",
         u"ĀāĂăĄąĆćĈĉĊċČčĎďĐđĒēĔĕĖėĘęĚěĜĝĞğĠġĢģĤĥĦħĨĩĪīĬĭĮįİıĲĳĴĵĶķĸĹĺĻļĽľĿŀŁłŃńŅņŇňŉŊŋŌōŎŏ",
         u"ĀāĂăĄąĆćĈĉĊċČčĎďĐđĒēĔĕĖėĘęĚěĜĝĞğĠġĢģĤĥĦħĨĩĪīĬĭĮįİıĲĳĴĵĶķĸĹĺĻļĽľĿŀŁłŃńŅņŇňŉŊŋŌōŎŏ"},
    };
    for (bool windowManager : {false, true}) {
        for (const auto &row : cases) {
            QTest::addRow("%s, %s", windowManager ? "openbox" : "no window manager", row.name)
                << windowManager << QString::fromUtf16(row.keys)
                << QString::fromUtf16(row.expected);
        }
    }
}

void TestX11Desktop::typesIntoClient()
{
    QFETCH(bool, windowManager);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QVERIFY(startDesktop(windowManager));
    const QList<unsigned long> map = m_session->keyboardMap();
    X11TestClient client;
    QVERIFY2(client.start(*m_session), qPrintable(client.error()));
    // A window manager settles the focus of a new window in its own time.
    QTest::qWait(200);
    QTRY_VERIFY(client.hasFocus());

    QVERIFY(sendKeys(keys));
    QTRY_COMPARE_WITH_TIMEOUT(client.text(), expected, arriveTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(m_session->keyboardMap(), map, arriveTimeout);
    QCOMPARE(client.text(), expected);
}

void TestX11Desktop::heldModifierStaysHeld()
{
    X11TestClient client;
    QVERIFY2(client.start(*m_session), qPrintable(client.error()));
    m_session->fakeKey(XK_Shift_L, true);

    QVERIFY(sendKeys(QStringLiteral("ab")));
    QTRY_COMPARE_WITH_TIMEOUT(client.text(), QStringLiteral("ab"), arriveTimeout);
    QVERIFY(m_session->isKeyDown(XK_Shift_L));
    // The virtual shift key combines with the held one and leaves it held when released.
    QVERIFY(sendKeys(QStringLiteral("{+16}{67}{-16}")));
    QTRY_COMPARE_WITH_TIMEOUT(client.text(), QStringLiteral("abC"), arriveTimeout);
    QVERIFY(m_session->isKeyDown(XK_Shift_L));

    m_session->fakeKey(XK_Shift_L, false);
    QVERIFY(!m_session->isKeyDown(XK_Shift_L));
}

void TestX11Desktop::panelNeverTakesFocus_data()
{
    addDesktopRows();
    QTest::newRow("no window manager") << false;
    QTest::newRow("openbox") << true;
}

void TestX11Desktop::panelNeverTakesFocus()
{
    QFETCH(bool, windowManager);
    QVERIFY(startDesktop(windowManager));
    X11TestClient client;
    QVERIFY2(client.start(*m_session), qPrintable(client.error()));
    QTRY_VERIFY(GetForegroundWindow() != nullptr);
    HWND target = GetForegroundWindow();

    FloatingPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QTest::qWait(200);
    QCOMPARE(GetForegroundWindow(), target);
    QVERIFY(client.hasFocus());

    const QPoint button = panel.buttonCentre();
    m_session->click(button.x(), button.y());
    QTRY_COMPARE(panel.clicks, 1);
    QTest::qWait(200);
    QCOMPARE(GetForegroundWindow(), target);
    QVERIFY(client.hasFocus());
    QVERIFY(QApplication::activeWindow() == nullptr);

    QVERIFY(sendKeys(QStringLiteral("sent")));
    QTRY_COMPARE_WITH_TIMEOUT(client.text(), QStringLiteral("sent"), arriveTimeout);
}

void TestX11Desktop::activatesOtherClients_data()
{
    addDesktopRows();
    QTest::newRow("no window manager") << false;
    QTest::newRow("openbox") << true;
}

void TestX11Desktop::activatesOtherClients()
{
    QFETCH(bool, windowManager);
    QVERIFY(startDesktop(windowManager));
    X11TestClient first;
    QVERIFY2(first.start(*m_session, QPoint(50, 50)), qPrintable(first.error()));
    QTRY_VERIFY(GetForegroundWindow() != nullptr);
    HWND firstWindow = GetForegroundWindow();
    X11TestClient second;
    QVERIFY2(second.start(*m_session, QPoint(600, 50)), qPrintable(second.error()));
    QTRY_VERIFY(GetForegroundWindow() != firstWindow);
    HWND secondWindow = GetForegroundWindow();
    QVERIFY(secondWindow != nullptr);

    QVERIFY(IsWindow(firstWindow));
    QVERIFY(IsWindowVisible(firstWindow));
    DWORD process = 0;
    QVERIFY(GetWindowThreadProcessId(firstWindow, &process) != 0);
    QCOMPARE(qint64(process), first.processId());

    QVERIFY(SetForegroundWindow(firstWindow));
    QCOMPARE(GetForegroundWindow(), firstWindow);
    QTRY_VERIFY(first.hasFocus());
    QVERIFY(sendKeys(QStringLiteral("one")));
    QTRY_COMPARE_WITH_TIMEOUT(first.text(), QStringLiteral("one"), arriveTimeout);
    QCOMPARE(second.text(), QString());

    first.quit();
    QTRY_VERIFY(!IsWindow(firstWindow));
    QVERIFY(!IsWindowVisible(firstWindow));
    QVERIFY(!SetForegroundWindow(firstWindow));
    QCOMPARE(GetWindowThreadProcessId(firstWindow, &process), DWORD(0));
}

void TestX11Desktop::hookSeesClientClicks()
{
    X11TestClient client;
    QVERIFY2(client.start(*m_session), qPrintable(client.error()));
    hookEvents.clear();
    testHook = SetWindowsHookExA(WH_MOUSE_LL, recordHook, reinterpret_cast<HINSTANCE>(1), 0);
    QVERIFY(testHook);
    const QPoint inField = client.field().center();

    m_session->click(inField.x(), inField.y());
    QTRY_COMPARE(hookEvents.size(), 2);
    QCOMPARE(hookEvents.at(0).message, WPARAM(WM_LBUTTONDOWN));
    QCOMPARE(hookEvents.at(1).message, WPARAM(WM_LBUTTONUP));
    for (const HookEvent &event : std::as_const(hookEvents))
        QCOMPARE(QPoint(event.point.x, event.point.y), inField);

    QVERIFY(UnhookWindowsHookEx(testHook));
    m_session->click(inField.x() + 5, inField.y());
    QTest::qWait(200);
    QCOMPARE(hookEvents.size(), 2);
}

void TestX11Desktop::textCursorOverTextField()
{
    X11TestClient client;
    QVERIFY2(client.start(*m_session), qPrintable(client.error()));
    const HANDLE ibeam =
        LoadImageW(nullptr, MAKEINTRESOURCEW(OCR_IBEAM), IMAGE_CURSOR, 0, 0, LR_SHARED);
    const auto cursorIsIBeam = [ibeam] {
        CURSORINFO info{};
        info.cbSize = sizeof(CURSORINFO);
        return GetCursorInfo(&info) && info.hCursor == ibeam;
    };
    const QPoint inField = client.field().center();

    m_session->movePointer(inField.x(), inField.y());
    QTRY_VERIFY(cursorIsIBeam());
    CURSORINFO info{};
    info.cbSize = sizeof(CURSORINFO);
    QVERIFY(GetCursorInfo(&info));
    QCOMPARE(QPoint(info.ptScreenPos.x, info.ptScreenPos.y), inField);

    m_session->movePointer(client.field().right() + 300, client.field().bottom() + 300);
    QTRY_VERIFY(!cursorIsIBeam());
}

void TestX11Desktop::runKeyIsAutostartEntry()
{
    QTemporaryDir config;
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const WCHAR runKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const QString value = QStringLiteral("\"/opt/scrivel/InkoraScrivel\" /i");
    const QString file = config.filePath(QStringLiteral("autostart/InkoraScrivel.desktop"));

    QCOMPARE(RegSetKeyValueW(HKEY_CURRENT_USER, runKey, u"InkoraScrivel", REG_SZ, value.utf16(),
                             DWORD(value.size() + 1) * 2),
             LSTATUS(ERROR_SUCCESS));
    QVERIFY(QFile::exists(file));
    WCHAR read[MAX_PATH] = {};
    DWORD size = sizeof(read);
    QCOMPARE(RegGetValueW(HKEY_CURRENT_USER, runKey, u"InkoraScrivel", RRF_RT_REG_SZ, nullptr,
                          read, &size),
             LSTATUS(ERROR_SUCCESS));
    QCOMPARE(QString::fromUtf16(read), value);
    QCOMPARE(size, DWORD(value.size() + 1) * 2);

    QCOMPARE(RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, u"InkoraScrivel"),
             LSTATUS(ERROR_SUCCESS));
    QVERIFY(!QFile::exists(file));
    QCOMPARE(RegGetValueW(HKEY_CURRENT_USER, runKey, u"InkoraScrivel", RRF_RT_REG_SZ, nullptr,
                          read, &size),
             LSTATUS(ERROR_FILE_NOT_FOUND));
    QCOMPARE(RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, u"InkoraScrivel"),
             LSTATUS(ERROR_FILE_NOT_FOUND));
    qunsetenv("XDG_CONFIG_HOME");
}

int main(int argc, char **argv)
{
    XvfbSession session;
    if (session.isRunning()) {
        qputenv("DISPLAY", session.displayName());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    TestX11Desktop test(&session);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11desktop.moc"
