#pragma once

#include "model/inkrange.h"
#include "model/segment.h"
#include "model/stroke.h"

#include <QList>
#include <QString>

// What the write-back of a solved tree reads and gathers.
struct WriteBackContext
{
    // The recognised symbols of the source result, in tree order.
    QList<Segment> symbols;
    // The strokes of the source result; node positions index this list.
    QList<Stroke> strokes;
    // The ink of every symbol the write-back creates.
    InkRange addedInk;
    // The ink of the value written last: the answer.
    InkRange lastValueInk;
    // The ink of every part written with an error message.
    InkRange errorInk;
    int decimals = 3;
    QString separator;
};
