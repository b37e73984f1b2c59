#pragma once

#include <QString>

// The input modes of the panel; their names key settings groups and
// configuration files.
enum InputMode {
    UnknownMode = 0,
    CursiveMode = 1,
    IsolatedMode = 2,
    KeyboardMode = 3,
    IsoTrainerMode = 4,
    CalculatorMode = 6
};

// "unknown" for a value that is no mode.
QString inputModeName(int mode);
// Case-sensitive; 0 for a name that is no mode.
int inputModeFromName(const QString &name);
