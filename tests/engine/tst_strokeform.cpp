// Ink shaping: simplification keeps a stroke's shape with fewer points.
#include "engine/strokeform.h"

#include <QtTest>

#include <cmath>

using zk::InkPoint;
using zk::InkStroke;
using zk::InkStrokes;

Q_DECLARE_METATYPE(zk::InkStroke)

namespace {

float distanceToSegment(InkPoint p, InkPoint a, InkPoint b)
{
    float dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    float t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0f, 1.0f) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

float distanceToPolyline(InkPoint p, const InkStroke &line)
{
    float best = line.size() == 1 ? std::hypot(p.x - line[0].x, p.y - line[0].y) : 1e9f;
    for (size_t i = 1; i < line.size(); ++i)
        best = std::min(best, distanceToSegment(p, line[i - 1], line[i]));
    return best;
}

InkStroke wavy(float amplitude, int points)
{
    InkStroke s;
    for (int i = 0; i < points; ++i)
        s.push_back({float(i) * 10, amplitude * std::sin(float(i))});
    return s;
}

} // namespace

class TestStrokeForm : public QObject
{
    Q_OBJECT

private slots:
    void simplified_data();
    void simplified();
};

void TestStrokeForm::simplified_data()
{
    QTest::addColumn<InkStroke>("stroke");
    QTest::addColumn<int>("points"); // expected count after simplification with tolerance 5
    QTest::newRow("tremor within tolerance") << wavy(2, 40) << 2;
    QTest::newRow("corner kept") << InkStroke{{0, 0}, {50, 1}, {100, 0}, {100, 50}, {100, 100}} << 3;
    QTest::newRow("closed loop") << InkStroke{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}} << 5;
    QTest::newRow("repeated point") << InkStroke{{7, 7}, {7, 7}, {7, 7}} << 2;
    QTest::newRow("single point") << InkStroke{{3, 4}} << 1;
    QTest::newRow("two points") << InkStroke{{0, 0}, {1, 1}} << 2;
}

void TestStrokeForm::simplified()
{
    QFETCH(InkStroke, stroke);
    QFETCH(int, points);
    const float tolerance = 5;
    InkStrokes out = zk::StrokeForm::simplified({stroke}, tolerance);
    QCOMPARE(out.size(), size_t(1));
    const InkStroke &s = out[0];
    QCOMPARE(int(s.size()), points);
    QCOMPARE(s.front().x, stroke.front().x);
    QCOMPARE(s.back().y, stroke.back().y);
    for (const InkPoint &p : stroke)
        QVERIFY2(distanceToPolyline(p, s) <= tolerance, qPrintable(QString::number(p.x)));
}

QTEST_GUILESS_MAIN(TestStrokeForm)
#include "tst_strokeform.moc"
