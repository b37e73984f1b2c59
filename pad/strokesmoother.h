#pragma once

#include <QList>
#include <QPointF>

// A point of a stroke's centre line: its position, its width factor and its
// time along the stroke.
struct CentrePoint
{
    QPointF point;
    double width = 1.0;
    double time = 0.0;
};

// Fits a cubic smoothing spline through the samples (x and y as functions of
// time) and flattens it into short segments that carry the width factors.
class StrokeSmoother
{
public:
    StrokeSmoother(double scale, double flatness);

    // The flattened centre line; the samples themselves when there are fewer
    // than four or the spline cannot be solved.
    QList<CentrePoint> smooth(const QList<CentrePoint> &samples) const;

private:
    void flatten(const double *x, const double *y, double w0, double w1, int depth,
                 QList<CentrePoint> &out) const;

    double m_scale;
    double m_flatness;
};
