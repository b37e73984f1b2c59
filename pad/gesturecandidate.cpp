#include "pad/gesturecandidate.h"

#include "pad/oraclegeometry.h"

#include <cmath>

namespace {

const QString rootSign = QStringLiteral("\u221A");

// a / b, or 0 for a divisor of 0 (ink without width or height).
float ratio(double a, double b)
{
    return b == 0 ? 0.0f : float(a / b);
}

// The polyline standing for ink made only of box strokes: the sign's hook
// for a root sign, the two diagonals for any other label.
QPainterPath boxShape(const QRectF &r, const QString &label)
{
    QPainterPath shape(r.bottomLeft());
    if (label == rootSign) {
        shape.lineTo(r.topLeft());
        shape.lineTo(r.topRight());
    } else {
        shape.lineTo(r.topRight());
        shape.moveTo(r.bottomRight());
        shape.lineTo(r.topLeft());
    }
    return shape;
}

} // namespace

GestureCandidate::GestureCandidate(const InkRangeInfo &info) : info(info)
{
    const QRectF r = info.boundingRect();
    const float diagonal = std::sqrt(float(r.width() * r.width() + r.height() * r.height()));
    sizePerPoint = ratio(diagonal, info.ink().pointCount());
}

StrokeStamp GestureCandidate::firstStamp() const
{
    const QList<StrokeRange> pieces = info.ink().pieces();
    return pieces.isEmpty() ? StrokeStamp() : pieces.first().stroke().stamp();
}

QPainterPath GestureCandidate::path() const
{
    QPainterPath p;
    info.ink().appendToPath(p);
    return p;
}

void GestureCandidate::measure(const GestureCandidate &gesture, bool strict)
{
    const QRectF r = info.boundingRect();
    const QRectF g = gesture.info.boundingRect();
    const QPainterPath gesturePath = gesture.path();
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    bandCover = ratio(coveredWidth(gesturePath, g, QRectF(x, y - 0.2 * h, w, 1.4 * h)), w);
    spanCover = ratio(coveredWidth(gesturePath, g, QRectF(x, y - 0.5 * h, w, 2 * h)), w);
    heightCover = ratio(coveredHeight(gesturePath, g, QRectF(x - 0.2 * w, y, 1.4 * w, h)), h);
    const QRectF overlap = r.intersected(g);
    boxOverlap = overlap.width() > 0 && overlap.height() > 0
        ? ratio(overlap.width() * overlap.height(), w * h) : 0.0f;
    const int points = info.ink().pointCount();
    pointRatio = points == 0 ? 3.0f : ratio(gesture.info.ink().pointCount(), points);
    densityRatio = ratio(double(pointRatio) * pointRatio * w * h, g.width() * g.height());
    crossings = strict ? countCrossingsWith(gesture) : 0;
}

int GestureCandidate::countCrossingsWith(const GestureCandidate &gesture) const
{
    const QRectF r = info.boundingRect();
    if (!rectsMeet(r, gesture.info.boundingRect()))
        return 0;
    const QPainterPath shape = info.ink().isAllOfKind(Stroke::Box)
        ? boxShape(r, info.label()) : path();
    return countCrossings(shape, gesture.path());
}

void measureGap(GestureCandidate &left, GestureCandidate &right,
                const GestureCandidate &gesture)
{
    const QRectF band = gapBand(left.info.boundingRect(), right.info.boundingRect());
    const float cover = ratio(
        coveredHeight(gesture.path(), gesture.info.boundingRect(), band), band.height());
    left.gapCover = cover;
    right.gapCover = cover;
}
