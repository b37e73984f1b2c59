#pragma once

#include "model/recognitionresult.h"

#include <QString>

// Solves a recognised calculator line and gives back the completed
// expression: the user's symbols keep their segments and ink, what the
// solver found or added is new typed ink (ink type 4), the answer's ink is
// ink type 3 and the parts shown with an error message ink type 5. A line
// without anything to solve comes back unchanged.
void solveExpression(RecognitionResult &result, const RecognitionResult &source, int decimals,
                     const QString &separator);
