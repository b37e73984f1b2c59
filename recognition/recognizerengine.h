#pragma once

#include "recognition/recognizerconfig.h"

// The engine-parameter block of a recognizer configuration, copied whole.
class RecognizerEngine
{
public:
    RecognizerEngine() = default;
    explicit RecognizerEngine(const RecognizerConfig &config);

    // Index 0, 1, 2 set parameter2, parameter3, parameter4; others nothing.
    void setParameter(int index, qint32 value);

    qint32 speedQualityCompromise = 0;
    qint32 parameter1 = 2;
    qint32 parameter2 = 1;
    qint32 parameter3 = 5;
    qint32 parameter4 = 5;
    quint32 flags = 0;
    char languageCode[4] = {'?', 0, 0, 0};
};
