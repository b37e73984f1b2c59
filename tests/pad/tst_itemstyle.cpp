#include "pad/itemstyle.h"
#include "pad/penevent.h"

#include <QtTest>

class TestItemStyle : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void copiesAreIsolated();
    void outOfRangeIndices_data();
    void outOfRangeIndices();
    void penEventTypesOrdered();
};

void TestItemStyle::defaults()
{
    const ItemStyle style;
    QCOMPARE(style.inkWidth(), 6);
    QCOMPARE(style.color(ItemStyle::InkColor), QColor("#1d2344"));
    QCOMPARE(style.color(ItemStyle::RightColor), QColor(Qt::white));
    QCOMPARE(style.color(ItemStyle::SecondKeyColor), QColor("orange"));
}

void TestItemStyle::copiesAreIsolated()
{
    ItemStyle original;
    ItemStyle copy = original;
    copy.setColor(ItemStyle::InkColor, Qt::red);
    copy.setInkWidth(9);
    QCOMPARE(original.color(ItemStyle::InkColor), QColor("#1d2344"));
    QCOMPARE(original.inkWidth(), 6);
    QCOMPARE(copy.color(ItemStyle::InkColor), QColor(Qt::red));

    ItemStyle assigned;
    assigned = copy;
    // Assigned to itself through a reference, as a caller would.
    const ItemStyle &same = assigned;
    assigned = same;
    QCOMPARE(assigned.inkWidth(), 9);
}

void TestItemStyle::outOfRangeIndices_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("ten") << 10;
    QTest::newRow("negative") << -1;
}

void TestItemStyle::outOfRangeIndices()
{
    QFETCH(int, index);
    ItemStyle style;
    const ItemStyle before = style;
    style.setColor(ItemStyle::Color(index), Qt::red);
    for (int i = 0; i < ItemStyle::ColorCount; ++i)
        QCOMPARE(style.color(ItemStyle::Color(i)), before.color(ItemStyle::Color(i)));
    QVERIFY(!style.color(ItemStyle::Color(index)).isValid());
}

void TestItemStyle::penEventTypesOrdered()
{
    const int earlier = QEvent::registerEventType();
    PenEvent::registerEventTypes();
    PenEvent::registerEventTypes();
    QVERIFY(PenEvent::pressType() < earlier);
    QCOMPARE(int(PenEvent::moveType()), PenEvent::pressType() - 1);
    QCOMPARE(int(PenEvent::releaseType()), PenEvent::moveType() - 1);
    QVERIFY(PenEvent::isPenEvent(PenEvent::moveType()));
    QVERIFY(!PenEvent::isPenEvent(QEvent::Type(earlier)));

    const PenEvent event(PenEvent::pressType(), QPointF(2540, 1270));
    QCOMPARE(event.point(), QPointF(2540, 1270));
}

QTEST_MAIN(TestItemStyle)
#include "tst_itemstyle.moc"
