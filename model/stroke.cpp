#include "model/stroke.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTransform>

class StrokePrivate : public QSharedData
{
public:
    StrokePrivate() = default;
    StrokePrivate(const StrokePrivate &other)
        : QSharedData(), kind(other.kind), path(other.path), stamp(other.stamp),
          offset(other.offset)
    {
    }

    void clearCaches()
    {
        QMutexLocker lock(&cacheLock);
        centroid = QPointF();
        boundingRect = QRectF();
    }

    Stroke::Kind kind = Stroke::None;
    QPainterPath path;
    StrokeStamp stamp;
    double offset = 0.0;

    // Derived values, written lazily by any thread that holds the stroke.
    QMutex cacheLock;
    QPointF centroid;
    QRectF boundingRect;
};

namespace {

StrokePrivate *sharedEmpty()
{
    static const QExplicitlySharedDataPointer<StrokePrivate> empty([] {
        auto *p = new StrokePrivate;
        p->stamp = StrokeStamp::now();
        return p;
    }());
    return empty.data();
}

bool hasGeometry(const StrokePrivate *d)
{
    return d->path.elementCount() > 0 && d->kind != Stroke::PointRow;
}

} // namespace

Stroke::Stroke() : d(sharedEmpty()) {}
Stroke::Stroke(StrokePrivate *d) : d(d) {}
Stroke::Stroke(const Stroke &other) = default;
Stroke &Stroke::operator=(const Stroke &other) = default;
Stroke::~Stroke() = default;

Stroke::Kind Stroke::kind() const { return d->kind; }
QPainterPath Stroke::path() const { return d->path; }
StrokeStamp Stroke::stamp() const { return d->stamp; }
double Stroke::offset() const { return d->offset; }

void Stroke::prepareWrite()
{
    d.detach();
    if (d->stamp == sharedEmpty()->stamp)
        d->stamp = StrokeStamp::fresh();
    d->clearCaches();
}

void Stroke::setKind(Kind kind)
{
    prepareWrite();
    d->kind = kind;
}

void Stroke::setPath(const QPainterPath &path)
{
    prepareWrite();
    d->path = path;
}

void Stroke::setOffset(double offset)
{
    prepareWrite();
    d->offset = offset;
}

void Stroke::setStamp(const StrokeStamp &stamp)
{
    d.detach();
    d->stamp = stamp;
}

QRectF Stroke::boundingRect() const
{
    QMutexLocker lock(&d->cacheLock);
    QRectF &cache = d->boundingRect;
    if (cache.width() == 0 && cache.height() == 0 && hasGeometry(d.data())) {
        QRectF r = d->path.controlPointRect();
        if (r.width() == 0.0)
            r.setWidth(1.0);
        if (r.height() == 0.0)
            r.setHeight(1.0);
        cache = r;
    }
    return cache;
}

QPointF Stroke::centroid() const
{
    QMutexLocker lock(&d->cacheLock);
    QPointF &cache = d->centroid;
    if (cache.isNull() && hasGeometry(d.data())) {
        const int n = d->path.elementCount();
        double x = 0, y = 0;
        for (int i = 0; i < n; ++i) {
            x += d->path.elementAt(i).x;
            y += d->path.elementAt(i).y;
        }
        cache = QPointF(x / n, y / n);
    }
    return cache;
}

Stroke Stroke::subStroke(int first, int last) const
{
    QPainterPath sub;
    const int count = d->path.elementCount();
    if (first <= last && first >= 0 && first < count) {
        if (d->kind == Box) {
            sub = d->path;
        } else {
            sub.moveTo(d->path.elementAt(first));
            const int end = qMin(last + 1, count);
            for (int i = first + 1; i < end; ++i)
                sub.lineTo(d->path.elementAt(i));
        }
    }
    return made(d->kind, sub, d->stamp, d->offset);
}

bool Stroke::operator==(const Stroke &other) const
{
    if (d == other.d)
        return true;
    return d->stamp == other.d->stamp && d->kind == other.d->kind
           && d->path == other.d->path && d->offset == other.d->offset;
}

Stroke Stroke::made(Kind kind, const QPainterPath &path, const StrokeStamp &stamp, double offset)
{
    auto *p = new StrokePrivate;
    p->kind = kind;
    p->path = path;
    p->stamp = stamp;
    p->offset = offset;
    return Stroke(p);
}

Stroke makePathStroke(const QPainterPath &path)
{
    return Stroke::made(Stroke::Pen, path, StrokeStamp::fresh(), 0.0);
}

Stroke makeBoxStroke(const QRectF &rect, double offset)
{
    QPainterPath path;
    path.moveTo(rect.x(), rect.y() + rect.height());
    path.lineTo(rect.x() + rect.width(), rect.y());
    return Stroke::made(Stroke::Box, path, StrokeStamp::fresh(), offset);
}

Stroke makePointRowStroke(unsigned n)
{
    QPainterPath path;
    if (n >= 1) {
        path.moveTo(0, 0);
        for (unsigned i = 1; i < n; ++i)
            path.lineTo(double(i), 0);
    }
    return Stroke::made(Stroke::PointRow, path, StrokeStamp::fresh(), 0.0);
}

Stroke strokeTransformed(const Stroke &s, const QTransform &t)
{
    if (!hasGeometry(s.d.data()))
        return s;
    return Stroke::made(s.kind(), t.map(s.d->path), s.stamp(), s.offset());
}
