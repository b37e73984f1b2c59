#pragma once

#include "model/recognitionresult.h"

#include <QLocale>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <optional>

// The layout's line positions pushed apart to at least 2.2 reference heights.
RecognitionResult spaceLayoutLines(const RecognitionResult &result);

// Words kept in reserve when the panel grows: 3 for Chinese and Korean, else 8.
int expansionWordPlaces(QLocale::Language language);

// What the panel's growth is judged on, all in scene coordinates.
struct ExpansionRequest
{
    double position = 0.0;        // where writing goes on
    double referenceHeight = 0.0; // the layout's, not clamped
    double lineHeight = 0.0;      // one typeset line of the layout
    int places = 8;
    int alignment = Qt::AlignLeft; // 2: the text grows leftwards
    QRectF visible;                // the pad's visible scene rectangle
    QRectF written;                // the united words and strokes
    double screenEdgeX = 0.0;      // the screen corner the text grows towards
};

// The fractions of the visible size by which the panel should grow, or none
// while the next word still fits.
std::optional<QPointF> expansionFractions(const ExpansionRequest &request);

// The growth that makes room for an open candidate list: the list, below
// y 0 and widened by 250 on both sides, must lie in the visible rectangle.
// dx grows towards the left for alignment 2.
std::optional<QPointF> candidateListGrowth(const QRectF &list, const QRectF &visible, int alignment);

// How far typeset words reach below the panel's writing area (its geometry
// less 40 at the top and 14 at the bottom), as a fraction of the area's
// height; 0 when all fit.
double wordsOverflowFraction(const QList<QRectF> &globalWords, const QRect &panel);
