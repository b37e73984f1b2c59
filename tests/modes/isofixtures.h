#pragma once

// Printed letters and digits for the boxed pads: polylines in a box of 100
// units, y growing downwards, in the shapes of simple stroke fonts.

#include "model/stroke.h"

#include <QMap>
#include <QPainterPath>
#include <QPointF>

inline const QMap<QString, QList<QList<QPointF>>> &printedForms()
{
    static const QList<QPointF> bowlLeft{{72, 50}, {62, 42}, {48, 40}, {35, 45}, {28, 56},
                                         {27, 70}, {33, 82}, {46, 88}, {60, 87}, {72, 78}};
    static const QList<QPointF> bowlRight{{28, 60}, {36, 52}, {46, 49}, {56, 52}, {62, 61},
                                          {63, 72}, {58, 82}, {48, 88}, {38, 88}, {28, 84}};
    static const QMap<QString, QList<QList<QPointF>>> forms{
        {"a", {{{72, 40}, {72, 88}}, bowlLeft}},
        {"b", {{{28, 0}, {28, 88}}, bowlRight}},
        {"c", {bowlLeft}},
        {"d", {{{72, 8}, {72, 88}}, bowlLeft}},
        {"1", {{{38, 22}, {46, 16}, {54, 8}, {54, 88}}}},
        {"7", {{{25, 10}, {75, 10}, {40, 88}}}},
    };
    return forms;
}

// The form of text, scaled by scale and moved to at, as pen strokes; each stroke has a
// point every two units.
inline QList<QList<QPointF>> printedStrokes(const QString &text, double scale, const QPointF &at)
{
    QList<QList<QPointF>> strokes;
    for (const QList<QPointF> &line : printedForms().value(text)) {
        QList<QPointF> points;
        for (int i = 0; i + 1 < line.size(); ++i) {
            const QPointF a = line.at(i), b = line.at(i + 1);
            const int steps = qMax(2, int(QLineF(a, b).length() / 2));
            for (int s = 0; s < steps; ++s)
                points << at + (a + (b - a) * (double(s) / steps)) * scale;
        }
        points << at + line.last() * scale;
        strokes << points;
    }
    return strokes;
}
