#pragma once

// Small hand-drawn inks (y grows downwards).
#include <QList>
#include <QPointF>
#include <QtMath>

using Stroke = QList<QPointF>;
using Ink = QList<Stroke>;

inline Stroke line(QPointF a, QPointF b, int points = 12)
{
    Stroke s;
    for (int i = 0; i < points; ++i)
        s << a + (b - a) * (double(i) / (points - 1));
    return s;
}

inline Stroke polyline(const QList<QPointF> &corners, int pointsPerSide = 8)
{
    Stroke s;
    for (int i = 1; i < corners.size(); ++i) {
        Stroke side = line(corners[i - 1], corners[i], pointsPerSide);
        if (i > 1)
            side.removeFirst();
        s << side;
    }
    return s;
}

inline Stroke arc(QPointF centre, double rx, double ry, double from, double to, int points = 24)
{
    Stroke s;
    for (int i = 0; i < points; ++i) {
        double t = qDegreesToRadians(from + (to - from) * i / (points - 1));
        s << centre + QPointF(rx * qCos(t), ry * qSin(t));
    }
    return s;
}

inline Ink moved(const Ink &ink, QPointF by, double scale = 1.0)
{
    Ink out;
    for (const Stroke &s : ink) {
        Stroke t;
        for (const QPointF &p : s)
            t << p * scale + by;
        out << t;
    }
    return out;
}
