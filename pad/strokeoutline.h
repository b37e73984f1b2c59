#pragma once

#include "pad/strokesmoother.h"

#include <QPolygonF>

// The filled outline of a centre line of variable width: round caps, round
// joins on the outer side of each turn, and a polygonal dot for one point.
class StrokeOutline
{
public:
    static constexpr double Tolerance = 0.125;

    // radius: half the pen width; each point's width factor scales it.
    static QPolygonF build(const QList<CentrePoint> &line, double radius);

private:
    static QPolygonF dot(const CentrePoint &point, double radius);
    static void addCap(const QList<CentrePoint> &line, double radius, double step, QPolygonF &out);
    static void addSide(const QList<CentrePoint> &line, double radius, double step, QPolygonF &out);
};
