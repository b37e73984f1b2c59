#include "pad/strokeoutline.h"

#include <QtMath>

#include <algorithm>

namespace {

// Bounds the points of one cap or join, whatever the radius.
constexpr int MaxArcSteps = 256;

double directionAngle(const QPointF &p, const QPointF &q)
{
    return qAtan2(q.x() - p.x(), p.y() - q.y());
}

QPointF around(const QPointF &centre, double radius, double angle)
{
    return centre + radius * QPointF(qCos(angle), qSin(angle));
}

// Angular step that keeps a polygon within the tolerance of a circle.
double angularStep(double radius)
{
    return 2.0 * qAcos(radius / (radius + StrokeOutline::Tolerance));
}

int arcSteps(double angle, double step)
{
    const double steps = angle / step;
    return qIsFinite(steps) ? int(qMin(steps, double(MaxArcSteps))) : MaxArcSteps;
}

QList<CentrePoint> reversed(QList<CentrePoint> line)
{
    std::reverse(line.begin(), line.end());
    return line;
}

} // namespace

QPolygonF StrokeOutline::build(const QList<CentrePoint> &line, double radius)
{
    radius = qAbs(radius);
    if (line.isEmpty())
        return {};
    if (line.size() == 1)
        return dot(line.first(), radius);
    const double step = angularStep(radius);
    const QList<CentrePoint> back = reversed(line);
    QPolygonF out;
    addCap(line, radius, step, out);
    addSide(line, radius, step, out);
    addCap(back, radius, step, out);
    addSide(back, radius, step, out);
    if (!out.isEmpty())
        out.append(out.first());
    return out;
}

QPolygonF StrokeOutline::dot(const CentrePoint &point, double radius)
{
    const double rho = radius * point.width;
    const int sides = qMax(6, arcSteps(2.0 * M_PI, angularStep(rho)));
    QPolygonF out;
    for (int k = 0; k <= sides; ++k)
        out.append(around(point.point, rho, 2.0 * M_PI * k / sides));
    return out;
}

// Half circle behind the first point, from the right-hand normal of the
// first segment round to its left-hand normal.
void StrokeOutline::addCap(const QList<CentrePoint> &line, double radius, double step, QPolygonF &out)
{
    const double theta = directionAngle(line[0].point, line[1].point);
    const int m = qMax(3, arcSteps(M_PI, step));
    for (int k = 1; k < m; ++k)
        out.append(around(line[0].point, radius * line[0].width, k * M_PI / m + theta));
}

// The left-hand side of the line, with a round join where it turns right.
void StrokeOutline::addSide(const QList<CentrePoint> &line, double radius, double step, QPolygonF &out)
{
    double previousAngle = 0.0;
    bool turning = false;
    for (int i = 1; i < line.size(); ++i) {
        const CentrePoint &a = line[i - 1];
        const CentrePoint &b = line[i];
        const QPointF d = b.point - a.point;
        const double length = qSqrt(d.x() * d.x() + d.y() * d.y());
        if (length == 0.0)
            continue;
        const double angle = directionAngle(a.point, b.point);
        if (turning) {
            double turn = angle - previousAngle;
            if (turn <= 0.0)
                turn += 2.0 * M_PI;
            const int k = arcSteps(turn, step);
            for (int j = 1; turn < M_PI && j < k; ++j)
                out.append(around(a.point, radius * a.width, previousAngle + M_PI + j * turn / k));
        }
        const QPointF offset = QPointF(d.y(), -d.x()) * (radius / length);
        out.append(a.point + a.width * offset);
        out.append(b.point + b.width * offset);
        previousAngle = angle;
        turning = true;
    }
}
