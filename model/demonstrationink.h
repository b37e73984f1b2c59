#pragma once

#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// The page box in which the gesture demonstration inks are drawn.
inline QRectF demonstrationPageBox() { return QRectF(0, 0, 75, 100); }

// The strokes of a demonstration ink file, one polygon of points per stroke,
// in file units. Lines before the first "AddStroke" are skipped; "AddStroke" opens a
// stroke and every further line of two numbers adds a point to it. An
// unreadable file gives no strokes; a malformed point line is skipped.
QList<QPolygonF> readDemonstrationInk(const QString &fileName);
