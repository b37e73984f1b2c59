#pragma once

#include "calculator/exptreevalue.h"

#include <QString>

// The message of a solver error code, untranslated (context "CalcSolver"),
// or null for a code without one.
const char *solverMessage(ExpTree::Value::Error error);

// Appends the value with the given decimals (0 to 15; others are brought
// into that range), cut toward zero and followed by U+2026 when inexact, in
// scientific form below one unit of the last decimal and from 1e10 on; or
// the message of its error code. The flag has no effect.
void formatNumber(const ExpTree::Value &value, QString &text, int decimals, bool flag);
