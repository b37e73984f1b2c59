#pragma once

#include "calculator/calcsegmenttypes.h"

#include <QRectF>
#include <QTransform>

// The layout state that measureCalcTree and typesetCalcTree carry through a calculator tree.
struct CalcLayoutContext
{
    // Uniform scale (m11) of reference-font geometry; the translation is the pen: dx where
    // the next symbol starts, dy the origin of the current line of symbols.
    QTransform transform;
    // One-shot top edge, width and height of the next symbol, each used when not 0; the next
    // symbol resets all three.
    double nextY = 0.0;
    double nextWidth = 0.0;
    double nextHeight = 0.0;
    // The scene rectangle of what the last visit laid out.
    QRectF rect;
};

// The layout values of a visit, read from the context at its entry: the scale s, the pen
// (dx0, dy0), the height h of "x" in the reference font at that scale and the gap between
// symbols, a fifth of h.
struct CalcEntry
{
    double s;
    double dx0;
    double dy0;
    double h;
    double gap;
};
CalcEntry calcEntry(const CalcLayoutContext &context);
// A pen at (x, y) with the uniform scale s.
QTransform calcPen(double s, double x, double y);
