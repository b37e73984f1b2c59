#include "pad/oraclegeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

double cross(const QPointF &a, const QPointF &b)
{
    return a.x() * b.y() - a.y() * b.x();
}

bool inside(const QPointF &p, const QRectF &q)
{
    return p.x() >= q.left() && p.x() <= q.right() && p.y() >= q.top() && p.y() <= q.bottom();
}

// Where segment (p0, p1) meets the segment (e0, e1), ends included.
bool meetPoint(const QPointF &p0, const QPointF &p1, const QPointF &e0, const QPointF &e1,
               QPointF *at)
{
    const QPointF r = p1 - p0;
    const QPointF s = e1 - e0;
    const double d = cross(r, s);
    if (d == 0)
        return false;
    const double t = cross(e0 - p0, s) / d;
    const double u = cross(e0 - p0, r) / d;
    if (t < 0 || t > 1 || u < 0 || u > 1)
        return false;
    *at = p0 + t * r;
    return true;
}

// The points where a segment meets q's edges, edge by edge.
QPolygonF borderCrossings(const QPointF &p0, const QPointF &p1, const QRectF &q)
{
    const QPointF corners[] = {q.topLeft(), q.topRight(), q.bottomRight(), q.bottomLeft()};
    QPolygonF points;
    for (int e = 0; e < 4; ++e) {
        QPointF at;
        if (meetPoint(p0, p1, corners[e], corners[(e + 1) % 4], &at))
            points << at;
    }
    return points;
}

// A point on segment (a, b) as the crossing rules count it: collinear and
// from a (included) towards b (excluded), along y for a vertical segment.
bool liesOnSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    if (cross(b - a, p - a) != 0)
        return false;
    if (a.x() != b.x())
        return a.x() <= p.x() && p.x() < b.x();
    return a.y() <= p.y() && p.y() < b.y();
}

using Span = std::pair<int, int>;

double coveredExtent(const QList<QPolygonF> &pieces, bool alongX, double limit)
{
    std::vector<Span> spans;
    for (const QPolygonF &piece : pieces) {
        const QRectF r = piece.boundingRect();
        const double start = alongX ? r.x() : r.y();
        const double extent = std::max(alongX ? r.width() : r.height(), 1.0);
        spans.emplace_back(int(start), int(start + extent));
    }
    std::sort(spans.begin(), spans.end());
    double sum = 0;
    for (size_t i = 0; i < spans.size();) {
        Span merged = spans[i];
        for (++i; i < spans.size() && spans[i].first <= merged.second; ++i)
            merged.second = std::max(merged.second, spans[i].second);
        sum += merged.second - merged.first;
    }
    return std::min(sum, limit);
}

struct PathSegment
{
    QPointF from;
    QPointF to;
    bool first;
};

QList<PathSegment> segmentsOf(const QPainterPath &path)
{
    QList<PathSegment> segments;
    bool first = true;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            first = true;
            continue;
        }
        segments.append({QPointF(path.elementAt(i - 1)), QPointF(e), first});
        first = false;
    }
    return segments;
}

} // namespace

float linearRamp(float value, float centre, float halfWidth)
{
    if (value < centre - halfWidth)
        return 0.0f;
    if (value > centre + halfWidth)
        return 1.0f;
    // Rounding must not lead out of 0..1 at the bounds.
    return qBound(0.0f, (value - centre + halfWidth) / (2 * halfWidth), 1.0f);
}

bool rectsMeet(const QRectF &a, const QRectF &b)
{
    const QRectF n = a.normalized();
    const QRectF m = b.normalized();
    return n.left() <= m.right() && m.left() <= n.right() && n.top() <= m.bottom()
        && m.top() <= n.bottom();
}

QList<QPolygonF> clipPath(const QPainterPath &path, const QRectF &pathRect, const QRectF &q)
{
    QList<QPolygonF> pieces;
    if (!rectsMeet(pathRect, q))
        return pieces;
    QPolygonF piece;
    bool wasInside = false;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p(e);
        const bool in = inside(p, q);
        const bool joined = i > 0 && !e.isMoveTo();
        const QPointF previous = joined ? QPointF(path.elementAt(i - 1)) : p;
        if (wasInside && (!in || !joined)) {
            if (joined)
                piece << borderCrossings(previous, p, q);
            pieces << piece;
            piece.clear();
        }
        if (in) {
            if (joined && !wasInside)
                piece << borderCrossings(previous, p, q);
            piece << p;
        } else if (joined && !wasInside) {
            const QPolygonF through = borderCrossings(previous, p, q);
            if (!through.isEmpty())
                pieces << through;
        }
        wasInside = in;
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

double coveredWidth(const QPainterPath &path, const QRectF &pathRect, const QRectF &q)
{
    return coveredExtent(clipPath(path, pathRect, q), true, q.width());
}

double coveredHeight(const QPainterPath &path, const QRectF &pathRect, const QRectF &q)
{
    return coveredExtent(clipPath(path, pathRect, q), false, q.height());
}

bool segmentsCross(const QPointF &a0, const QPointF &a1, bool aFirst, const QPointF &b0,
                   const QPointF &b1, bool bFirst)
{
    const QPointF r = a1 - a0;
    const QPointF s = b1 - b0;
    const double d = cross(r, s);
    if (d != 0) {
        const double t = cross(b0 - a0, s) / d;
        const double u = cross(b0 - a0, r) / d;
        if (t > 0 && t < 1 && u > 0 && u < 1)
            return true;
    }
    return (!aFirst && liesOnSegment(a0, b0, b1)) || (!bFirst && liesOnSegment(b0, a0, a1));
}

int countCrossings(const QPainterPath &shape, const QPainterPath &path)
{
    const QList<PathSegment> gesture = segmentsOf(path);
    int count = 0;
    for (const PathSegment &a : segmentsOf(shape)) {
        for (const PathSegment &b : gesture) {
            if (segmentsCross(a.from, a.to, a.first, b.from, b.to, b.first))
                ++count;
        }
    }
    return count;
}

bool onSameLine(const QRectF &a, const QRectF &b)
{
    return !(b.top() > a.bottom() || b.bottom() < a.top());
}

bool liesAfter(const QRectF &a, const QRectF &b, WritingDirection direction)
{
    if (direction == WritingDirection::LeftToRight)
        return b.right() < a.left();
    return a.right() < b.left();
}

bool inLineBand(const QRectF &a, const QRectF &b)
{
    return rectsMeet(a, b.adjusted(0, -0.5 * b.height(), 0, 0.5 * b.height()));
}

QRectF gapBand(const QRectF &left, const QRectF &right)
{
    const QRectF united = left.united(right);
    const double lc = left.x() + left.width() / 2;
    const double rc = right.x() + right.width() / 2;
    QRectF band(lc, united.y(), rc - lc, united.height());
    if (united.height() < 50)
        band.adjust(0, -50, 0, 50);
    return band;
}
