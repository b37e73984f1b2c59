#pragma once

// Candidate types of a calculator result tree.
enum CalcSegmentType {
    CalcRow = 4,
    CalcSymbol = 5,
    CalcFraction = 7,
    CalcSquareRoot = 8,
    CalcPower = 9,
    CalcGroup = 10
};

// Ink types a solved calculator result carries.
enum CalcInkType {
    CalcAnswerInk = 3,
    CalcAddedInk = 4,
    CalcErrorInk = 5
};
