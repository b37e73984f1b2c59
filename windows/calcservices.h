#pragma once

#include "model/calcoutputmode.h"
#include "model/recognitionresult.h"

#include <QString>

// The calculator services that text delivery calls, and the calculator settings it reads.
// Results are solved by the solver the program installs (the calculator's `solveExpression`);
// until its writers are linked in, every known output form sends the result text.
class CalcServices
{
public:
    // Fills the first result with the solved form of the second, given the number of decimal
    // places and the decimal separator.
    using Solver = void (*)(RecognitionResult &, const RecognitionResult &, int, const QString &);

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
    static RecognitionResult solveExpression(const RecognitionResult &result, int decimals,
                                             const QString &solverText);
    // The text to send for a calculator result, in the output form of the settings (plain
    // text when solving is off); empty for an unknown form.
    static QString formatCalcResult(const RecognitionResult &result);
};
