#pragma once

#include "model/recognitionresult.h"

#include <QString>

// The text a calculator result is sent as, in an output form (CalcOutputMode value): 0 the
// answer alone as plain text, 2 a spreadsheet formula, 4 MathML presentation markup (the
// body of the math element, from an indentation of three spaces), 8 plain text; any other
// form gives the empty text.
QString formatCalcResult(const RecognitionResult &result, int mode);

// The state the writers share over one walk of the tree.
struct CalcWriterContext
{
    QString text;
    bool group = false;
    bool fractionPart = false;
    int indent = 0;
    // A spreadsheet formula ends at its first "=", however deep the rows nest.
    bool ended = false;
};

// Visitor callbacks of visitSegments writing a calculator tree into a CalcWriterContext;
// each walks the parts it writes itself. Exponents and radicands of more than one symbol are
// bracketed, so that the text computes what was written.
Segment writePlainText(Segment *storage, int index, const Segment &segment, void *context);
Segment writeSpreadsheetFormula(Segment *storage, int index, const Segment &segment,
                                void *context);
Segment writeMathML(Segment *storage, int index, const Segment &segment, void *context);
