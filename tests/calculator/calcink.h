#pragma once

#include "model/recognitionresult.h"

#include <QList>
#include <QRectF>
#include <QString>

// Handwritten calculator input for tests: digits of real writers the models were not trained
// on (the pen digits' test writers), operators and marks drawn as a hand would.
namespace calcink {

using Symbol = QList<Stroke>;

// The sample-th written digit d of the test writers, scaled to fit box (kept in proportion,
// centred).
Symbol digit(QChar d, int sample, const QRectF &box);
// "+", "-", "=", "?", "(", ")" or the root sign (its sign only) drawn over box.
Symbol mark(QChar c, const QRectF &box);
// Every symbol as a stroke of its own in writing order; each one a "#" symbol segment of a
// calculator row, as the pad hands new ink to its recognizer.
RecognitionResult writtenModel(const QList<Symbol> &symbols);

// A line of single-character symbols, left to right from x at the baseline y, each h high;
// digits take their sample from the text's position.
QList<Symbol> line(const QString &text, double x, double y, double h);

} // namespace calcink
