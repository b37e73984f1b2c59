#include "model/inkrangeinfo.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

InkRange twoPointInk()
{
    return InkRange::fromStroke(penThrough({{2, 4}, {6, 12}}));
}

} // namespace

class TestInkRangeInfo : public QObject
{
    Q_OBJECT

private slots:
    void describeSegment_data();
    void describeSegment();
    void describeInk();
};

void TestInkRangeInfo::describeSegment_data()
{
    QTest::addColumn<Segment>("segment");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QPointF>("centroid");
    QTest::addColumn<QString>("label");

    QTest::newRow("inked") << segmentOf({node("a")}, 0, twoPointInk()) << QRectF(2, 4, 4, 8)
                           << QPointF(4, 8) << "a";
    QTest::newRow("without ink") << segmentOf({node("#")}, 0, InkRange()) << QRectF()
                                 << QPointF() << "#";
    QTest::newRow("nothing selected") << segmentOf({node("a")}, -1, twoPointInk())
                                      << QRectF(2, 4, 4, 8) << QPointF(4, 8) << "";
}

void TestInkRangeInfo::describeSegment()
{
    QFETCH(Segment, segment);
    QFETCH(QRectF, rect);
    QFETCH(QPointF, centroid);
    QFETCH(QString, label);

    const InkRangeInfo info(segment);
    QCOMPARE(info.ink(), segment.ink());
    QCOMPARE(info.boundingRect(), rect);
    QCOMPARE(info.centroid(), centroid);
    QCOMPARE(info.label(), label);
}

void TestInkRangeInfo::describeInk()
{
    const InkRangeInfo info(twoPointInk(), "x");
    QCOMPARE(info.boundingRect(), QRectF(2, 4, 4, 8));
    QCOMPARE(info.centroid(), QPointF(4, 8));
    QCOMPARE(info.label(), QString("x"));
    QCOMPARE(InkRangeInfo().label(), QString());
}

QTEST_GUILESS_MAIN(TestInkRangeInfo)
#include "tst_inkrangeinfo.moc"
