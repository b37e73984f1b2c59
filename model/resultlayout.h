#pragma once

#include <QList>

// How a recognition result is typeset: line spacing, one vertical position
// per line, Qt alignment flags and layout flags.
struct ResultLayout
{
    enum Flag { MirrorAlignment = 2, MiniKeyboardKey = 8 };

    double lineSpacing = 0.0;
    QList<double> linePositions;
    int alignment = 132; // Qt::AlignCenter
    int flags = 0;

    // The horizontal alignment after mirroring: centre, left or right.
    int effectiveAlignment() const;

    bool operator==(const ResultLayout &other) const;
    bool operator!=(const ResultLayout &other) const { return !(*this == other); }
};
