#include "calculator/calclayoutcontext.h"

#include "pad/referencefont.h"

CalcEntry calcEntry(const CalcLayoutContext &context)
{
    const double s = context.transform.m11();
    const double h = referenceCharHeight(ReferenceChar::LatinX) * s;
    return {s, context.transform.dx(), context.transform.dy(), h, 0.2 * h};
}

QTransform calcPen(double s, double x, double y)
{
    return QTransform(s, 0, 0, s, x, y);
}
