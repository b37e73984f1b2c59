#include "skin/monitoring.h"

#include "platform/desktop.h"

#include <QTest>
#include <QWidget>

namespace {

// The available area of the one modelled screen: a 40-pixel taskbar at the top.
const QRect screenArea(0, 0, 1000, 800);
const QRect availableArea(0, 40, 1000, 760);

} // namespace

class TestMonitoring : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void moveKeepsPartOnScreen_data();
    void moveKeepsPartOnScreen();
    void refusedMoveKeepsLastAcceptedPosition();
    void resizeByEdge_data();
    void resizeByEdge();
    void resizeLeavingTheScreenIsRefused();
    void dragWithoutTargetOrModeChangesNothing();
};

void TestMonitoring::init()
{
    Desktop::instance()->setScreens({screenArea}, {availableArea});
}

void TestMonitoring::cleanup()
{
    Desktop::instance()->reset();
}

void TestMonitoring::moveKeepsPartOnScreen_data()
{
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<QPoint>("position");
    // The window is 200 x 100 at (100, 100); the drag starts at (500, 500).
    QTest::newRow("inside") << QPoint(50, -20) << QPoint(150, 80);
    QTest::newRow("20 left of the left edge") << QPoint(-280, 0) << QPoint(100, 100);
    QTest::newRow("21 left of the left edge") << QPoint(-279, 0) << QPoint(-179, 100);
    QTest::newRow("20 at the right edge") << QPoint(880, 0) << QPoint(100, 100);
    QTest::newRow("21 at the right edge") << QPoint(879, 0) << QPoint(979, 100);
    // The taskbar is not available: 20 pixels below its edge are too few.
    QTest::newRow("20 below the taskbar") << QPoint(0, -140) << QPoint(100, 100);
    QTest::newRow("21 below the taskbar") << QPoint(0, -139) << QPoint(100, -39);
    QTest::newRow("20 at the bottom") << QPoint(0, 680) << QPoint(100, 100);
    QTest::newRow("21 at the bottom") << QPoint(0, 679) << QPoint(100, 779);
}

void TestMonitoring::moveKeepsPartOnScreen()
{
    QFETCH(QPoint, drag);
    QFETCH(QPoint, position);
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    const QPoint start(500, 500);
    Monitoring monitoring(&window, Monitoring::Move, start, nullptr, ResizeEdge::None);
    monitoring.setOrigin(window.pos());
    monitoring.applyDrag(start + drag);
    QCOMPARE(window.pos(), position);
    QCOMPARE(window.size(), QSize(200, 100));
}

void TestMonitoring::refusedMoveKeepsLastAcceptedPosition()
{
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    Monitoring monitoring(&window, Monitoring::Move, QPoint(0, 0), nullptr, ResizeEdge::None);
    monitoring.setOrigin(window.pos());
    monitoring.applyDrag(QPoint(-200, 10));
    monitoring.applyDrag(QPoint(-2000, 10));
    QCOMPARE(window.pos(), QPoint(-100, 110));
    // Positions are measured from the origin, not from the last step.
    monitoring.applyDrag(QPoint(-200, 20));
    QCOMPARE(window.pos(), QPoint(-100, 120));
}

void TestMonitoring::resizeByEdge_data()
{
    QTest::addColumn<ResizeEdge>("edge");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<QRect>("geometry");
    // The target is 300 x 200 at (200, 200), at least 100 x 80 and at most 500 x 300.
    QTest::newRow("top-left") << ResizeEdge::TopLeft << QPoint(-20, -30)
                              << QRect(180, 170, 320, 230);
    QTest::newRow("top-left at minimum width") << ResizeEdge::TopLeft << QPoint(250, 10)
                                               << QRect(400, 210, 100, 190);
    QTest::newRow("top-left at maximum height") << ResizeEdge::TopLeft << QPoint(0, -150)
                                                << QRect(200, 100, 300, 300);
    QTest::newRow("top-right") << ResizeEdge::TopRight << QPoint(40, 30)
                               << QRect(200, 230, 340, 170);
    QTest::newRow("top-right at maximum width") << ResizeEdge::TopRight << QPoint(400, 0)
                                                << QRect(200, 200, 500, 200);
    QTest::newRow("bottom-left") << ResizeEdge::BottomLeft << QPoint(10, 40)
                                 << QRect(210, 200, 290, 240);
    QTest::newRow("bottom-right") << ResizeEdge::BottomRight << QPoint(-50, -150)
                                  << QRect(200, 200, 250, 80);
    QTest::newRow("top never changes the width") << ResizeEdge::Top << QPoint(70, -50)
                                                  << QRect(200, 150, 300, 250);
    QTest::newRow("top at minimum height") << ResizeEdge::Top << QPoint(-30, 190)
                                           << QRect(200, 320, 300, 80);
}

void TestMonitoring::resizeByEdge()
{
    QFETCH(ResizeEdge, edge);
    QFETCH(QPoint, drag);
    QFETCH(QRect, geometry);
    QWidget window;
    window.setGeometry(200, 200, 300, 200);
    window.setMinimumSize(100, 80);
    window.setMaximumSize(500, 300);
    const QPoint start(300, 300);
    Monitoring monitoring(&window, Monitoring::Resize, start, &window, edge);
    monitoring.setOrigin(window.pos());
    monitoring.applyDrag(start + drag);
    QCOMPARE(window.geometry(), geometry);
}

void TestMonitoring::resizeLeavingTheScreenIsRefused()
{
    QWidget window;
    window.setGeometry(900, 300, 300, 200);
    Monitoring monitoring(&window, Monitoring::Resize, QPoint(0, 0), &window,
                          ResizeEdge::TopLeft);
    monitoring.setOrigin(window.pos());
    // Shrinking from the left moves the left edge to 980: 20 pixels stay on screen.
    monitoring.applyDrag(QPoint(80, 0));
    QCOMPARE(window.geometry(), QRect(900, 300, 300, 200));
    monitoring.applyDrag(QPoint(79, 0));
    QCOMPARE(window.geometry(), QRect(979, 300, 221, 200));
}

void TestMonitoring::dragWithoutTargetOrModeChangesNothing()
{
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    Monitoring resize(&window, Monitoring::Resize, QPoint(0, 0), nullptr,
                      ResizeEdge::BottomRight);
    resize.setOrigin(window.pos());
    resize.applyDrag(QPoint(30, 30));
    Monitoring other(&window, Monitoring::Mode(3), QPoint(0, 0), &window, ResizeEdge::TopLeft);
    other.setOrigin(window.pos());
    other.applyDrag(QPoint(30, 30));
    QCOMPARE(window.geometry(), QRect(100, 100, 200, 100));
}

QTEST_MAIN(TestMonitoring)
#include "tst_monitoring.moc"
