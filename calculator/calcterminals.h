#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// How the parser places a terminal symbol on its line; each class has its own candidate call.
enum class TerminalClass { Plain = 0, ThinCentred = 1, ThinBaseline = 2, Stretchable = 3, Shrinkable = 4 };
// What a terminal candidate counts as: a region takes at most one alphanumeric and one
// operator candidate, and any number of the others.
enum class TerminalKind { Alphanumeric = 0, Operator = 1, Other = 2 };

struct TerminalGeometry
{
    double y = 0.0;
    double h = 0.0;
    TerminalClass geometryClass = TerminalClass::Plain;
    TerminalKind kind = TerminalKind::Other;
};

// Between display characters and parser labels, both ways ("\pi", "\mult", "\div", "\sqrt"),
// with the configured decimal separator taking the place of the other one.
QString mapEngineLabel(const QString &label, const QString &decimalSeparator);

// The vertical position, height, class and kind of a symbol written over box; label is
// replaced by its parser label.
TerminalGeometry terminalGeometry(QString &label, const QRectF &box,
                                  const QString &decimalSeparator);

// The parser cost of an engine candidate of score p with unit value k over n strokes. The
// engine's confidence is capped at 1, so that a cost is never negative.
double terminalCost(double score, double unitValue, int strokeCount);

// The strokes of one region, in region order, with the facts the candidate tests read.
struct TerminalRegion
{
    QList<QRectF> strokeBoxes;
    // The smallest over the strokes of the larger side of each stroke's box, at most 101.
    double smallestExtent = 101.0;
};

// Whether an engine candidate (its label as the engine gave it) is refused over the region;
// cost is raised where the label is kept at a price.
bool rejectsTerminal(const QString &engineLabel, const TerminalRegion &region, double *cost);
