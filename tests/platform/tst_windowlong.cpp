#include "platform/desktop.h"
#include "platform/winapi.h"

#include <QWidget>
#include <QtTest>

// The style word of a window, read and written through GetWindowLongW and SetWindowLongW.
class TestWindowLong : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void styleIsKeptPerWindow();
    void clearingOneBitKeepsTheOthers();
    void refusedCalls_data();
    void refusedCalls();
};

namespace {

enum Target { LiveWindow, DestroyedWindow, ClosedWidget, NullHandle, UnknownHandle };

constexpr LONG kStyle = WS_DISABLED | 0x00C00000;
constexpr int kExStyleIndex = -20;

}

Q_DECLARE_METATYPE(Target)

void TestWindowLong::init()
{
    Desktop::instance()->reset();
}

void TestWindowLong::styleIsKeptPerWindow()
{
    Desktop *desktop = Desktop::instance();
    const HWND first = desktop->createWindow("First", 1);
    const HWND second = desktop->createWindow("Second", 1);
    QCOMPARE(GetWindowLongW(first, GWL_STYLE), 0);
    QCOMPARE(SetWindowLongW(first, GWL_STYLE, kStyle), 0);
    QCOMPARE(SetWindowLongW(second, GWL_STYLE, 0x10), 0);
    QCOMPARE(GetWindowLongW(first, GWL_STYLE), kStyle);
    QCOMPARE(GetWindowLongW(second, GWL_STYLE), 0x10);
    // Each write answers the word it replaced.
    QCOMPARE(SetWindowLongW(first, GWL_STYLE, 0x20), kStyle);
    QCOMPARE(SetWindowLongW(first, GWL_STYLE, 0x40), 0x20);
    QCOMPARE(SetWindowLongW(first, GWL_STYLE, 0), 0x40);
    QCOMPARE(GetWindowLongW(first, GWL_STYLE), 0);
    QCOMPARE(GetWindowLongW(second, GWL_STYLE), 0x10);
}

// What a program does to make a disabled widget's window clickable again.
void TestWindowLong::clearingOneBitKeepsTheOthers()
{
    QWidget widget;
    const HWND window = widgetWindow(&widget);
    QVERIFY(window);
    QCOMPARE(SetWindowLongW(window, GWL_STYLE, kStyle), 0);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    QVERIFY(style & WS_DISABLED);
    QCOMPARE(SetWindowLongW(window, GWL_STYLE, style & ~WS_DISABLED), kStyle);
    QCOMPARE(GetWindowLongW(widgetWindow(&widget), GWL_STYLE), kStyle & ~WS_DISABLED);
}

void TestWindowLong::refusedCalls_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("index");
    QTest::addColumn<DWORD>("error");
    QTest::newRow("extended style index") << LiveWindow << kExStyleIndex << ERROR_INVALID_PARAMETER;
    QTest::newRow("index zero") << LiveWindow << 0 << ERROR_INVALID_PARAMETER;
    QTest::newRow("destroyed window") << DestroyedWindow << int(GWL_STYLE) << ERROR_INVALID_WINDOW_HANDLE;
    QTest::newRow("closed widget") << ClosedWidget << int(GWL_STYLE) << ERROR_INVALID_WINDOW_HANDLE;
    QTest::newRow("null handle") << NullHandle << int(GWL_STYLE) << ERROR_INVALID_WINDOW_HANDLE;
    QTest::newRow("unknown handle") << UnknownHandle << int(GWL_STYLE) << ERROR_INVALID_WINDOW_HANDLE;
    QTest::newRow("destroyed window, bad index")
            << DestroyedWindow << kExStyleIndex << ERROR_INVALID_WINDOW_HANDLE;
}

// A refused call answers 0 with the error and leaves every style word as it was.
void TestWindowLong::refusedCalls()
{
    QFETCH(Target, target);
    QFETCH(int, index);
    QFETCH(DWORD, error);
    Desktop *desktop = Desktop::instance();
    const HWND bystander = desktop->createWindow("Bystander", 1);
    SetWindowLongW(bystander, GWL_STYLE, 0x10);
    const HWND live = desktop->createWindow("Target", 1);
    SetWindowLongW(live, GWL_STYLE, kStyle);
    HWND window = nullptr;
    switch (target) {
    case LiveWindow:
        window = live;
        break;
    case DestroyedWindow:
        window = live;
        desktop->destroyWindow(live);
        break;
    case ClosedWidget: {
        auto *widget = new QWidget;
        window = widgetWindow(widget);
        SetWindowLongW(window, GWL_STYLE, kStyle);
        delete widget;
        break;
    }
    case NullHandle:
        break;
    case UnknownHandle:
        window = reinterpret_cast<HWND>(quintptr(0x7fff0000));
        break;
    }

    SetLastError(ERROR_SUCCESS);
    QCOMPARE(GetWindowLongW(window, index), 0);
    QCOMPARE(GetLastError(), error);
    SetLastError(ERROR_SUCCESS);
    QCOMPARE(SetWindowLongW(window, index, 0x20), 0);
    QCOMPARE(GetLastError(), error);

    QCOMPARE(GetWindowLongW(bystander, GWL_STYLE), 0x10);
    if (target == LiveWindow)
        QCOMPARE(GetWindowLongW(live, GWL_STYLE), kStyle);
}

QTEST_MAIN(TestWindowLong)

#include "tst_windowlong.moc"
