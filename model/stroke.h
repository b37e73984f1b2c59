#pragma once

#include "model/strokestamp.h"

#include <QExplicitlySharedDataPointer>
#include <QList>
#include <QMetaType>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QTransform;
class StrokePrivate;

// One piece of ink: a pen path, a box standing for a typeset character or
// a row of points standing for typed text. Implicitly shared.
class Stroke
{
public:
    enum Kind { None = 0, Pen = 1, Box = 2, PointRow = 3 };

    Stroke();
    Stroke(const Stroke &other);
    Stroke &operator=(const Stroke &other);
    ~Stroke();

    Kind kind() const;
    QPainterPath path() const;
    StrokeStamp stamp() const;
    double offset() const;

    void setKind(Kind kind);
    void setPath(const QPainterPath &path);
    void setOffset(double offset);
    // Gives the stroke another identity; used for re-stamped copies.
    void setStamp(const StrokeStamp &stamp);

    QRectF boundingRect() const;
    QPointF centroid() const;

    // Points first .. last, keeping this stroke's stamp.
    Stroke subStroke(int first, int last) const;

    bool operator==(const Stroke &other) const;
    bool operator!=(const Stroke &other) const { return !(*this == other); }

private:
    friend Stroke makePathStroke(const QPainterPath &path);
    friend Stroke makeBoxStroke(const QRectF &rect, double offset);
    friend Stroke makePointRowStroke(unsigned n);
    friend Stroke strokeTransformed(const Stroke &s, const QTransform &t);

    explicit Stroke(StrokePrivate *d);
    static Stroke made(Kind kind, const QPainterPath &path, const StrokeStamp &stamp,
                       double offset);
    void prepareWrite();

    QExplicitlySharedDataPointer<StrokePrivate> d;
};

Stroke makePathStroke(const QPainterPath &path);
Stroke makeBoxStroke(const QRectF &rect, double offset);
Stroke makePointRowStroke(unsigned n);
// The stroke mapped through t, keeping its stamp; rows of points stay as
// they are.
Stroke strokeTransformed(const Stroke &s, const QTransform &t);

Q_DECLARE_METATYPE(Stroke)
