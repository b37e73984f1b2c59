#pragma once

#include "model/recognitionresult.h"

// Whether an imported result runs against the pad: its effective alignment
// is neither the pad's nor centred.
bool needsMirroring(const RecognitionResult &result, int controllerAlignment);

// The result with the words of every line in reverse order, lines kept in
// order and parted by new lines; the ink types, the layout and the leading
// separators handled as an import wants them.
RecognitionResult mirrorLineWords(const RecognitionResult &result);
