#include "model/inkrangeinfo.h"

#include <QTest>

namespace {

Segment segmentOf(const QString &label, int selected, const InkRange &ink)
{
    ResultNode n;
    n.setLabel(label);
    Segment s;
    s.appendCandidate(n);
    s.setSelectedCandidate(selected);
    s.setInk(ink);
    return s;
}

InkRange twoPointInk()
{
    QPainterPath path;
    path.moveTo(2, 4);
    path.lineTo(6, 12);
    return InkRange::fromStroke(makePathStroke(path));
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

    QTest::newRow("inked") << segmentOf("a", 0, twoPointInk()) << QRectF(2, 4, 4, 8)
                           << QPointF(4, 8) << "a";
    QTest::newRow("without ink") << segmentOf("#", 0, InkRange()) << QRectF() << QPointF()
                                 << "#";
    QTest::newRow("nothing selected") << segmentOf("a", -1, twoPointInk())
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
