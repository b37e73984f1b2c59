#pragma once

#include <QMutex>

// Guards every recognizer's abort flag and every handler's keep-going flag;
// held for one read or write only, never around an engine call.
QMutex &recognizerMutex();
