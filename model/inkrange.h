#pragma once

#include "model/inklocation.h"
#include "model/strokerange.h"

#include <QExplicitlySharedDataPointer>

class InkRangePrivate;

// A set of ink points over several strokes: at most one piece per stroke
// when built by adding, with cached centroid and bounding box.
// Implicitly shared.
class InkRange
{
public:
    InkRange();
    InkRange(const InkRange &other);
    InkRange &operator=(const InkRange &other);
    ~InkRange();

    static InkRange fromStroke(const Stroke &s);

    QList<StrokeRange> pieces() const;
    void add(const StrokeRange &piece);

    InkRange united(const InkRange &other) const;
    InkRange intersected(const InkRange &other) const;
    bool contains(const InkRange &other) const;
    bool intersects(const InkRange &other) const;
    bool isEmpty() const;
    bool isAllOfKind(Stroke::Kind kind) const;
    double leftmostStrokeOffset() const;

    bool containsLocation(const InkLocation &loc) const;
    InkLocation firstLocation() const;
    InkLocation lastLocation() const;
    QList<InkLocation> boundaryLocations() const;
    // Where other's ink begins and ends inside this range.
    QList<InkLocation> cutLocations(const InkRange &other) const;

    QList<Stroke> strokes() const;
    int pointCount() const;
    StrokeStamp latestStamp() const;

    void appendToPath(QPainterPath &path) const;
    QRectF boundingRect() const;
    QPointF centroid() const;

    InkRange transformed(const QTransform &t, QList<Stroke> &strokePairs) const;
    // StrokeRange::extracted of every piece; both lists are shared by all
    // ranges of one operation.
    InkRange extracted(QList<Stroke> &strokePairs, QList<int> &firstPoints) const;
    InkRange withStamp(const StrokeStamp &stamp) const;

    // Equal pieces in any order.
    bool operator==(const InkRange &other) const;
    bool operator!=(const InkRange &other) const { return !(*this == other); }

private:
    void computeGeometry() const;

    QExplicitlySharedDataPointer<InkRangePrivate> d;
};

Q_DECLARE_METATYPE(InkRange)
