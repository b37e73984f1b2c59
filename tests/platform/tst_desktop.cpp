#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"

#include <QWidget>
#include <QtTest>

#include <memory>

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void widgetWindowLivesWithWidget();
    void foregroundChange_data();
    void foregroundChange();
    void postedMessagesReachProgramWindows_data();
    void postedMessagesReachProgramWindows();
    void postToClosedWindowFails();
    void sendInputChecksRecordSize_data();
    void sendInputChecksRecordSize();
    void typedTextFollowsForeground();
    void threadInputAttachments();
    void hookChainPassesToOlderHooks();
    void cursorInfoChecksStructureSize_data();
    void cursorInfoChecksStructureSize();
    void promptsAreAnsweredAndRecorded();
};

namespace {

QStringList hookCalls;
HHOOK olderHook = nullptr;
HHOOK newerHook = nullptr;

LRESULT olderProc(int code, WPARAM wParam, LPARAM lParam)
{
    hookCalls << "older";
    return wParam == WM_RBUTTONDOWN ? 1 : CallNextHookEx(olderHook, code, wParam, lParam);
}

LRESULT newerProc(int code, WPARAM wParam, LPARAM lParam)
{
    hookCalls << "newer";
    return CallNextHookEx(newerHook, code, wParam, lParam);
}

INPUT unicodeKey(ushort unit, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

} // namespace

void TestDesktop::init()
{
    Desktop::instance()->reset();
}

void TestDesktop::widgetWindowLivesWithWidget()
{
    auto widget = std::make_unique<QWidget>();
    HWND window = widgetWindow(widget.get());
    QVERIFY(window);
    QCOMPARE(widgetWindow(widget.get()), window);
    QVERIFY(IsWindow(window));
    QVERIFY(!IsWindowVisible(window));
    QCOMPARE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
    widget.reset();
    QVERIFY(!IsWindow(window));
    QCOMPARE(GetWindowThreadProcessId(window, nullptr), DWORD(0));
}

void TestDesktop::foregroundChange_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("changed");
    QTest::newRow("granted") << false << false << true;
    QTest::newRow("refused") << true << false << false;
    QTest::newRow("closed window") << false << true << false;
}

void TestDesktop::foregroundChange()
{
    QFETCH(bool, refused);
    QFETCH(bool, closed);
    QFETCH(bool, changed);
    HWND editor = Desktop::instance()->createWindow("Editor", 0x500);
    HWND other = Desktop::instance()->createWindow("Other", 0x600);
    Desktop::instance()->activate(other);
    Desktop::instance()->setFailure(Desktop::RefuseForeground, refused);
    if (closed)
        Desktop::instance()->destroyWindow(editor);
    QCOMPARE(SetForegroundWindow(editor) != FALSE, changed);
    QCOMPARE(GetForegroundWindow(), changed ? editor : other);
}

void TestDesktop::postedMessagesReachProgramWindows_data()
{
    QTest::addColumn<bool>("filterTakes");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("filter passes") << false << QStringList{"filter 1054", "window 1054"};
    QTest::newRow("filter takes") << true << QStringList{"filter 1054"};
}

void TestDesktop::postedMessagesReachProgramWindows()
{
    QFETCH(bool, filterTakes);
    QWidget panel;
    HWND window = widgetWindow(&panel);
    QStringList calls;
    Desktop::instance()->setMessageFilter([&](MSG *msg, LRESULT *) {
        calls << QStringLiteral("filter %1").arg(msg->message);
        return filterTakes;
    });
    Desktop::instance()->setWindowHandler(window, [&](MSG *msg, LRESULT *) {
        calls << QStringLiteral("window %1").arg(msg->message);
        return false;
    });
    QVERIFY(PostMessageA(window, 1054, 7, 8));
    QCOMPARE(calls, QStringList());
    QCoreApplication::processEvents();
    QTEST(calls, "calls");
}

void TestDesktop::postToClosedWindowFails()
{
    HWND editor = Desktop::instance()->createWindow("Editor", 0x500);
    Desktop::instance()->destroyWindow(editor);
    QVERIFY(!PostMessageW(editor, WM_ACTIVATEAPP, 1, 0));
    QCOMPARE(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    QVERIFY(!PostMessageW(nullptr, WM_ACTIVATEAPP, 1, 0));
}

void TestDesktop::sendInputChecksRecordSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<uint>("sent");
    QTest::newRow("right size") << int(sizeof(INPUT)) << false << 1u;
    QTest::newRow("wrong size") << int(sizeof(INPUT)) - 4 << false << 0u;
    QTest::newRow("input refused") << int(sizeof(INPUT)) << true << 0u;
}

void TestDesktop::sendInputChecksRecordSize()
{
    QFETCH(int, size);
    QFETCH(bool, refused);
    QFETCH(uint, sent);
    Desktop::instance()->setFailure(Desktop::SendInputFails, refused);
    INPUT input = unicodeKey('a', false);
    QCOMPARE(SendInput(1, &input, size), sent);
    QCOMPARE(Desktop::instance()->inputLog().size(), int(sent));
}

void TestDesktop::typedTextFollowsForeground()
{
    HWND first = Desktop::instance()->createWindow("Editor", 0x500);
    HWND second = Desktop::instance()->createWindow("Mail", 0x600);
    const QString text = QStringLiteral("ab");
    for (int i = 0; i < text.size(); ++i) {
        Desktop::instance()->activate(i == 0 ? first : second);
        INPUT keys[2] = {unicodeKey(text.at(i).unicode(), false),
                         unicodeKey(text.at(i).unicode(), true)};
        QCOMPARE(SendInput(2, keys, sizeof(INPUT)), 2u);
    }
    QCOMPARE(Desktop::instance()->typedText(first), QStringLiteral("a"));
    QCOMPARE(Desktop::instance()->typedText(second), QStringLiteral("b"));
    QCOMPARE(Desktop::instance()->keyTrace(), (QStringList{"a+", "a-", "b+", "b-"}));
}

void TestDesktop::threadInputAttachments()
{
    const DWORD gui = GetCurrentThreadId();
    QVERIFY(!AttachThreadInput(gui, 0x500, FALSE));
    QVERIFY(!AttachThreadInput(gui, gui, TRUE));
    QVERIFY(AttachThreadInput(gui, 0x500, TRUE));
    QVERIFY(Desktop::instance()->isAttached(gui, 0x500));
    QVERIFY(AttachThreadInput(gui, 0x500, FALSE));
    QCOMPARE(Desktop::instance()->attachmentCount(), 0);
}

void TestDesktop::hookChainPassesToOlderHooks()
{
    HINSTANCE module = reinterpret_cast<HINSTANCE>(this);
    QVERIFY(!SetWindowsHookExA(WH_MOUSE_LL, &olderProc, nullptr, 0));
    olderHook = SetWindowsHookExA(WH_MOUSE_LL, &olderProc, module, 0);
    newerHook = SetWindowsHookExA(WH_MOUSE_LL, &newerProc, module, 0);
    QVERIFY(olderHook && newerHook);

    hookCalls.clear();
    QVERIFY(!Desktop::instance()->injectMouse(WM_LBUTTONDOWN, 1, 1));
    QVERIFY(Desktop::instance()->injectMouse(WM_RBUTTONDOWN, 1, 1));
    QCOMPARE(hookCalls, (QStringList{"newer", "older", "newer", "older"}));

    QVERIFY(UnhookWindowsHookEx(olderHook));
    QVERIFY(!UnhookWindowsHookEx(olderHook));
    QVERIFY(!Desktop::instance()->injectMouse(WM_RBUTTONDOWN, 1, 1));
}

void TestDesktop::cursorInfoChecksStructureSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("answered");
    QTest::newRow("structure size") << int(sizeof(CURSORINFO)) << true;
    QTest::newRow("32-bit size 20") << 20 << false;
}

void TestDesktop::cursorInfoChecksStructureSize()
{
    QFETCH(int, size);
    CURSORINFO info{};
    info.cbSize = DWORD(size);
    QTEST(GetCursorInfo(&info) != FALSE, "answered");
}

void TestDesktop::promptsAreAnsweredAndRecorded()
{
    Prompt::clearRequests();
    QCOMPARE(Prompt::message(QMessageBox::Question, nullptr, "Title", "Sure?",
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
             QMessageBox::No);
    Prompt::setHandler([](const Prompt::Request &) { return QVariant(int(QMessageBox::Yes)); });
    QCOMPARE(Prompt::message(QMessageBox::Question, nullptr, "Title", "Again?",
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
             QMessageBox::Yes);
    Prompt::setHandler(nullptr);
    QVERIFY(!Prompt::openUrl(QUrl("http://localhost/help")));
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.at(1).text, QStringLiteral("Again?"));
    QCOMPARE(requests.at(2).kind, Prompt::OpenUrl);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
