#pragma once

// The form a calculator result is sent in, stored as the "calcSendMode" number; the values
// are bits, and a stored number may be none of them.
enum class CalcOutputMode : int { ResultOnly = 0, Spreadsheet = 2, Html = 4, Text = 8 };

inline bool hasOutputBit(CalcOutputMode mode, CalcOutputMode bit)
{
    return (int(mode) & int(bit)) != 0;
}
