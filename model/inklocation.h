#pragma once

#include "model/stroke.h"

// A place in the ink. A start location opens the ink after it, an end
// location closes the ink before it; that decides on which side a
// one-point interval falls when ink is cut there.
struct InkLocation
{
    Stroke stroke;
    int point = -1;
    bool isStart = true;

    bool operator==(const InkLocation &other) const
    {
        return stroke == other.stroke && point == other.point && isStart == other.isStart;
    }
    bool operator!=(const InkLocation &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(InkLocation)
