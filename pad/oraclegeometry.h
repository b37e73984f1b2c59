#pragma once

#include "lang/writingdirection.h"

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

// Geometry with which an edit-gesture oracle relates a gesture stroke to the
// ink on a pad. Scene units; rectangles of zero width or height still meet
// what they touch, so that a dead straight stroke is measured like any other.

// 0 below centre - halfWidth, 1 above centre + halfWidth, linear between.
float linearRamp(float value, float centre, float halfWidth);

// Whether the closed rectangles share a point; true for touching edges and
// for rectangles of zero width or height.
bool rectsMeet(const QRectF &a, const QRectF &b);

// The pieces of path inside q, each as its points; none when pathRect (the
// path's bounding rectangle) does not meet q.
QList<QPolygonF> clipPath(const QPainterPath &path, const QRectF &pathRect, const QRectF &q);

// The width of q that the pieces of path inside q cover: every piece counts
// as the integer interval of its extent (at least 1 wide), overlapping
// intervals join, and the sum is capped at q's width.
double coveredWidth(const QPainterPath &path, const QRectF &pathRect, const QRectF &q);
// The same along y.
double coveredHeight(const QPainterPath &path, const QRectF &pathRect, const QRectF &q);

// Whether segment a crosses segment b: strictly inside both, or at the start
// point of a segment that is not the first of its path.
bool segmentsCross(const QPointF &a0, const QPointF &a1, bool aFirst, const QPointF &b0,
                   const QPointF &b1, bool bFirst);
// Crossings between every segment of shape and every segment of path.
int countCrossings(const QPainterPath &shape, const QPainterPath &path);

// Gesture a and ink b overlap vertically.
bool onSameLine(const QRectF &a, const QRectF &b);
// Gesture a lies entirely after ink b in the writing direction.
bool liesAfter(const QRectF &a, const QRectF &b, WritingDirection direction);
// Gesture a meets ink b grown by half its height above and below.
bool inLineBand(const QRectF &a, const QRectF &b);
// The band between the centres of two neighbours over their united height,
// 100 taller (50 above, 50 below) when that height is below 50.
QRectF gapBand(const QRectF &left, const QRectF &right);
