#include "model/inkrange.h"

#include <QMutex>
#include <QMutexLocker>

#include <utility>

class InkRangePrivate : public QSharedData
{
public:
    InkRangePrivate() = default;
    InkRangePrivate(const InkRangePrivate &other) : QSharedData(), pieces(other.pieces) {}

    QList<StrokeRange> pieces;

    // Derived values, written lazily by any thread that holds the range.
    QMutex cacheLock;
    bool geometryKnown = false;
    QPointF centroid;
    QRectF boundingRect;
};

namespace {

InkRangePrivate *sharedEmpty()
{
    static const QExplicitlySharedDataPointer<InkRangePrivate> empty(new InkRangePrivate);
    return empty.data();
}

// The points that appendToPath draws, one-point intervals included.
QList<QPointF> coveredPoints(const QList<StrokeRange> &pieces)
{
    QList<QPointF> points;
    for (const StrokeRange &piece : pieces) {
        const Stroke stroke = piece.stroke();
        if (stroke.kind() == Stroke::PointRow)
            continue;
        const QPainterPath path = stroke.path();
        const int count = path.elementCount();
        for (const Interval &i : piece.intervals()) {
            if (i.first < 0 || i.first >= count)
                continue;
            for (int p = i.first; p <= qMin(i.last, count - 1); ++p)
                points << QPointF(path.elementAt(p));
        }
    }
    return points;
}

} // namespace

InkRange::InkRange() : d(sharedEmpty()) {}
InkRange::InkRange(const InkRange &other) = default;
InkRange &InkRange::operator=(const InkRange &other) = default;
InkRange::~InkRange() = default;

InkRange InkRange::fromStroke(const Stroke &s)
{
    StrokeRange piece;
    piece.setStroke(s);
    piece.addInterval(0, s.path().elementCount() - 1);
    InkRange range;
    range.add(piece);
    return range;
}

QList<StrokeRange> InkRange::pieces() const { return d->pieces; }

void InkRange::add(const StrokeRange &piece)
{
    d.detach();
    d->geometryKnown = false;
    const Stroke stroke = piece.stroke();
    for (StrokeRange &existing : d->pieces) {
        if (existing.stroke() == stroke) {
            existing.addIntervals(piece.intervals());
            return;
        }
    }
    d->pieces << piece;
}

InkRange InkRange::united(const InkRange &other) const
{
    InkRange result = *this;
    for (const StrokeRange &piece : other.d->pieces)
        result.add(piece);
    return result;
}

InkRange InkRange::intersected(const InkRange &other) const
{
    InkRange result;
    for (const StrokeRange &a : std::as_const(d->pieces)) {
        for (const StrokeRange &b : other.d->pieces) {
            if (a.stroke() == b.stroke()) {
                result.add(a.intersected(b));
                break;
            }
        }
    }
    return result;
}

bool InkRange::contains(const InkRange &other) const
{
    return intersected(other) == other;
}

bool InkRange::intersects(const InkRange &other) const
{
    return !intersected(other).isEmpty();
}

bool InkRange::isEmpty() const
{
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        if (piece.hasInk())
            return false;
    }
    return true;
}

bool InkRange::isAllOfKind(Stroke::Kind kind) const
{
    if (isEmpty())
        return kind == Stroke::None;
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        const Stroke::Kind pieceKind = piece.hasInk() ? piece.stroke().kind() : Stroke::None;
        if (pieceKind != kind)
            return false;
    }
    return true;
}

double InkRange::leftmostStrokeOffset() const
{
    if (d->pieces.isEmpty())
        return 0.0;
    Stroke leftmost = d->pieces.constFirst().stroke();
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        const Stroke s = piece.stroke();
        if (s.boundingRect().left() < leftmost.boundingRect().left())
            leftmost = s;
    }
    return leftmost.offset();
}

bool InkRange::containsLocation(const InkLocation &loc) const
{
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        if (piece.stroke() == loc.stroke)
            return splitIntervalsAt(loc, nullptr, nullptr, piece.intervals());
    }
    return false;
}

InkLocation InkRange::firstLocation() const
{
    if (isEmpty())
        return InkLocation();
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        if (piece.hasInterval())
            return {piece.stroke(), piece.intervals().first().first, true};
    }
    return InkLocation();
}

InkLocation InkRange::lastLocation() const
{
    if (isEmpty())
        return InkLocation();
    for (auto it = d->pieces.crbegin(); it != d->pieces.crend(); ++it) {
        if (it->hasInterval())
            return {it->stroke(), it->intervals().last().last, false};
    }
    return InkLocation();
}

QList<InkLocation> InkRange::boundaryLocations() const
{
    QList<InkLocation> locations;
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        const Stroke stroke = piece.stroke();
        for (const Interval &i : piece.intervals())
            locations << InkLocation{stroke, i.first, true} << InkLocation{stroke, i.last, false};
    }
    return locations;
}

QList<InkLocation> InkRange::cutLocations(const InkRange &other) const
{
    enum Tag { Outside = 0, Boundary = 1, Inner = 2 };
    const QList<InkLocation> own = boundaryLocations();
    const QList<InkLocation> common = intersected(other).boundaryLocations();

    QList<QPair<InkLocation, int>> tagged;
    int j = 0;
    for (const InkLocation &a : own) {
        const int k = common.indexOf(a, j);
        if (k < 0) {
            tagged.append({a, Outside});
            continue;
        }
        for (int m = j; m < k; ++m)
            tagged.append({common[m], Inner});
        tagged.append({common[k], Boundary});
        j = k + 1;
    }

    bool inside = false;
    for (int i = 0; i < tagged.size(); ++i) {
        int &tag = tagged[i].second;
        if (inside) {
            if (tag == Outside)
                inside = false;
            else if (tag == Boundary && i + 1 < tagged.size() && tagged[i + 1].second != Outside)
                tag = Outside;
        } else if (tag != Outside) {
            inside = true;
        }
    }

    QList<InkLocation> cuts;
    for (const auto &entry : tagged) {
        if (entry.second != Outside)
            cuts << entry.first;
    }
    return cuts;
}

QList<Stroke> InkRange::strokes() const
{
    QList<Stroke> list;
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        if (piece.hasInk() && piece.stroke().kind() != Stroke::PointRow)
            list << piece.stroke();
    }
    return list;
}

int InkRange::pointCount() const
{
    int count = 0;
    for (const StrokeRange &piece : std::as_const(d->pieces))
        count += ::pointCount(piece.intervals());
    return count;
}

StrokeStamp InkRange::latestStamp() const
{
    if (d->pieces.isEmpty())
        return StrokeStamp::now();
    StrokeStamp latest = d->pieces.constFirst().stroke().stamp();
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        const StrokeStamp s = piece.stroke().stamp();
        if (s.isLaterThan(latest))
            latest = s;
    }
    return latest;
}

void InkRange::appendToPath(QPainterPath &path) const
{
    for (const StrokeRange &piece : std::as_const(d->pieces))
        piece.appendToPath(path);
}

void InkRange::computeGeometry() const
{
    if (d->geometryKnown)
        return;
    const QList<QPointF> points = coveredPoints(d->pieces);
    QRectF rect;
    QPointF centre;
    if (!points.isEmpty()) {
        double left = points.first().x(), right = left;
        double top = points.first().y(), bottom = top;
        double sumX = 0, sumY = 0;
        for (const QPointF &p : points) {
            left = qMin(left, p.x());
            right = qMax(right, p.x());
            top = qMin(top, p.y());
            bottom = qMax(bottom, p.y());
            sumX += p.x();
            sumY += p.y();
        }
        rect = QRectF(left, top, right - left, bottom - top);
        if (rect.width() == 0.0)
            rect.setWidth(1.0);
        if (rect.height() == 0.0)
            rect.setHeight(1.0);
        centre = QPointF(sumX / points.size(), sumY / points.size());
    }
    d->boundingRect = rect;
    d->centroid = centre;
    d->geometryKnown = true;
}

QRectF InkRange::boundingRect() const
{
    QMutexLocker lock(&d->cacheLock);
    computeGeometry();
    return d->boundingRect;
}

QPointF InkRange::centroid() const
{
    QMutexLocker lock(&d->cacheLock);
    computeGeometry();
    return d->centroid;
}

InkRange InkRange::transformed(const QTransform &t, QList<Stroke> &strokePairs) const
{
    InkRange result;
    for (const StrokeRange &piece : std::as_const(d->pieces))
        result.add(piece.transformed(t, strokePairs));
    return result;
}

InkRange InkRange::extracted(QList<Stroke> &strokePairs, QList<int> &firstPoints) const
{
    InkRange result;
    for (const StrokeRange &piece : std::as_const(d->pieces))
        result.add(piece.extracted(strokePairs, firstPoints));
    return result;
}

InkRange InkRange::withStamp(const StrokeStamp &stamp) const
{
    InkRange result;
    for (const StrokeRange &piece : std::as_const(d->pieces))
        result.add(piece.withStamp(stamp));
    return result;
}

bool InkRange::operator==(const InkRange &other) const
{
    if (d == other.d)
        return true;
    QList<StrokeRange> rest = other.d->pieces;
    for (const StrokeRange &piece : std::as_const(d->pieces)) {
        const int i = rest.indexOf(piece);
        if (i < 0)
            return false;
        rest.removeAt(i);
    }
    return rest.isEmpty();
}
