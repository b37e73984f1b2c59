#include "model/metatypes.h"

#include "model/gestureset.h"
#include "model/recognitionresult.h"

#include <QMetaType>

void registerModelMetaTypes()
{
    qRegisterMetaType<GestureSet>("GestureSet");
    qRegisterMetaType<Segment>("Segment");
    qRegisterMetaType<InkRange>("InkRange");
    qRegisterMetaType<InkLocation>("InkLocation");
    qRegisterMetaType<RecognitionResult>("RecognitionResult");
}
