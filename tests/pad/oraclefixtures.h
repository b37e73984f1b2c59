#pragma once

// Ink builders shared by the edit-gesture oracle tests.

#include "model/inkrangeinfo.h"
#include "model/stroke.h"

#include <QPainterPath>

namespace oraclefixtures {

inline QPainterPath polyline(const QList<QPointF> &points)
{
    QPainterPath path;
    for (const QPointF &p : points) {
        if (path.elementCount() == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

inline Stroke pen(const QList<QPointF> &points)
{
    return makePathStroke(polyline(points));
}

// A straight pen stroke of n points from a to b.
inline Stroke line(const QPointF &a, const QPointF &b, int n = 2)
{
    QList<QPointF> points;
    for (int i = 0; i < n; ++i)
        points << a + (b - a) * (n == 1 ? 0.0 : double(i) / (n - 1));
    return pen(points);
}

inline InkRangeInfo infoOf(const QList<Stroke> &strokes, const QString &label = "#")
{
    InkRange ink;
    for (const Stroke &s : strokes)
        ink = ink.united(InkRange::fromStroke(s));
    return InkRangeInfo(ink, label);
}

// The outline of r as one closed pen stroke of 5 points.
inline Stroke outline(const QRectF &r)
{
    return pen({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()});
}

} // namespace oraclefixtures
