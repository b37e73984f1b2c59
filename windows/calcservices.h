#pragma once

#include "model/calcoutputmode.h"
#include "model/recognitionresult.h"

#include <QString>

// The calculator services that text delivery calls, and the calculator settings it reads.
// Results are solved by the solver and written by the writer that the program installs (the
// calculator's `solveExpression` and `formatCalcResult`); without a writer every known output
// form sends the result's text.
class CalcServices
{
public:
    // Fills the first result with the solved form of the second, given the number of decimal
    // places and the decimal separator.
    using Solver = void (*)(RecognitionResult &, const RecognitionResult &, int, const QString &);
    // The text of a result in an output form (a CalcOutputMode value).
    using Writer = QString (*)(const RecognitionResult &, int);

    struct Settings
    {
        CalcOutputMode sendMode = CalcOutputMode::Text;
        bool solveAuto = true;
        int decimals = 3;
    };

    // "calcSendMode", "solveAuto" and "nbOfDecimals" of the application's native settings.
    static Settings settings();
    // The solver that solveExpression calls; none (the start) leaves results unsolved.
    static void setSolver(Solver solver);
    static void setWriter(Writer writer);
    static RecognitionResult solveExpression(const RecognitionResult &result, int decimals,
                                             const QString &solverText);
    // The text to send for a calculator result, in the output form of the settings (plain
    // text when solving is off); empty for an unknown form.
    static QString formatCalcResult(const RecognitionResult &result);
};
