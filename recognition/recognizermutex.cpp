#include "recognition/recognizermutex.h"

QMutex &recognizerMutex()
{
    static QMutex mutex;
    return mutex;
}
