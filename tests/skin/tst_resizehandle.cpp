#include "skin/resizehandle.h"

#include <QImage>
#include <QTest>

class TestResizeHandle : public QObject
{
    Q_OBJECT
private slots:
    void scaleFactor_data();
    void scaleFactor();
    void placedAtItsCorner_data();
    void placedAtItsCorner();
    void followsParentResize();
    void undrawnHandleKeepsMaskAndCursor();
    void handleSet();
};

void TestResizeHandle::scaleFactor_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("factor");
    QTest::newRow("24: half, a third is below 10") << 24 << 12;
    QTest::newRow("29: half") << 29 << 14;
    QTest::newRow("30: a third") << 30 << 10;
    QTest::newRow("90: a third") << 90 << 30;
    QTest::newRow("120: a third") << 120 << 40;
    QTest::newRow("600: capped") << 600 << 40;
}

void TestResizeHandle::scaleFactor()
{
    QFETCH(int, side);
    QFETCH(int, factor);
    QCOMPARE(ResizeHandle::scaleFactor(side), factor);
}

void TestResizeHandle::placedAtItsCorner_data()
{
    QTest::addColumn<ResizeEdge>("edge");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("cutOff");
    QTest::addColumn<Qt::CursorShape>("cursor");
    // The parent is 600 x 90: factors 40 across and 30 down.
    QTest::newRow("top-left") << ResizeEdge::TopLeft << QRect(0, 0, 41, 31) << QPoint(2, 2)
                              << QPoint(38, 28) << Qt::SizeFDiagCursor;
    QTest::newRow("top") << ResizeEdge::Top << QRect(0, 0, 41, 31) << QPoint(2, 2)
                         << QPoint(38, 28) << Qt::SizeVerCursor;
    QTest::newRow("top-right") << ResizeEdge::TopRight << QRect(570, 0, 31, 41)
                               << QPoint(598, 2) << QPoint(572, 38) << Qt::SizeBDiagCursor;
    QTest::newRow("bottom-right") << ResizeEdge::BottomRight << QRect(560, 60, 41, 31)
                                  << QPoint(598, 88) << QPoint(562, 62) << Qt::SizeFDiagCursor;
    QTest::newRow("bottom-left") << ResizeEdge::BottomLeft << QRect(0, 50, 31, 41)
                                 << QPoint(2, 88) << QPoint(28, 52) << Qt::SizeBDiagCursor;
}

void TestResizeHandle::placedAtItsCorner()
{
    QFETCH(ResizeEdge, edge);
    QFETCH(QRect, geometry);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, cutOff);
    QFETCH(Qt::CursorShape, cursor);
    QWidget parent;
    parent.resize(600, 90);
    ResizeHandle handle(edge, true, &parent);
    QCOMPARE(handle.geometry(), geometry);
    QCOMPARE(handle.cursor().shape(), cursor);
    // The corner of the parent is in the shape, the inner corner is cut off.
    QVERIFY(handle.mask().contains(inside - geometry.topLeft()));
    QVERIFY(!handle.mask().contains(cutOff - geometry.topLeft()));
    QCOMPARE(handle.polygon().size(), 5);
}

void TestResizeHandle::followsParentResize()
{
    QWidget parent;
    parent.resize(600, 600);
    parent.show();
    ResizeHandles handles = makeResizeHandles(ResizeEdge::BottomRight, {}, &parent);
    QCOMPARE(handles.first()->geometry(), QRect(560, 560, 41, 41));
    parent.resize(24, 90);
    QCOMPARE(handles.first()->geometry(), QRect(12, 60, 13, 31));
    deleteHandles(handles);
}

void TestResizeHandle::undrawnHandleKeepsMaskAndCursor()
{
    QWidget parent;
    parent.resize(90, 90);
    ResizeHandle drawn(ResizeEdge::TopLeft, true, &parent);
    ResizeHandle undrawn(ResizeEdge::TopLeft, false, &parent);
    QCOMPARE(undrawn.mask(), drawn.mask());
    QCOMPARE(undrawn.cursor().shape(), Qt::SizeFDiagCursor);
    const auto inkOf = [](QWidget &widget) {
        QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image.pixel(0, 0);
    };
    QCOMPARE(inkOf(undrawn), qRgb(255, 255, 255));
    QVERIFY(inkOf(drawn) != qRgb(255, 255, 255));
}

void TestResizeHandle::handleSet()
{
    QWidget parent;
    parent.resize(300, 300);
    ResizeHandles handles = makeResizeHandles(
        ResizeEdge::Top | ResizeEdge::BottomRight | ResizeEdge::TopLeft, ResizeEdge::Top, &parent);
    QCOMPARE(handles.size(), 3);
    QCOMPARE(handles.at(0)->edge(), ResizeEdge::Top);
    QCOMPARE(handles.at(1)->edge(), ResizeEdge::TopLeft);
    QCOMPARE(handles.at(2)->edge(), ResizeEdge::BottomRight);
    QVERIFY(handles.at(0)->isDrawn());
    QVERIFY(!handles.at(1)->isDrawn());
    parent.show();
    hideHandles(handles);
    QVERIFY(!handles.at(2)->isVisible());
    showHandles(handles);
    QVERIFY(handles.at(2)->isVisible());
    deleteHandles(handles);
    QVERIFY(handles.isEmpty());
    QVERIFY(parent.children().isEmpty());
}

QTEST_MAIN(TestResizeHandle)
#include "tst_resizehandle.moc"
