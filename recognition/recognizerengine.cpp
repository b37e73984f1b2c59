#include "recognition/recognizerengine.h"

#include <cstring>

RecognizerEngine::RecognizerEngine(const RecognizerConfig &config)
    : speedQualityCompromise(config.speedQualityCompromise),
      parameter1(config.parameter1),
      parameter2(config.parameter2),
      parameter3(config.parameter3),
      parameter4(config.parameter4),
      flags(config.flags)
{
    std::memcpy(languageCode, config.languageCode, sizeof languageCode);
}

void RecognizerEngine::setParameter(int index, qint32 value)
{
    switch (index) {
    case 0:
        parameter2 = value;
        break;
    case 1:
        parameter3 = value;
        break;
    case 2:
        parameter4 = value;
        break;
    default:
        break;
    }
}
