#pragma once

#include "model/calcoutputmode.h"

// User behaviour options handed to every input widget and pad controller.
struct BehaviourSettings
{
    enum HidingMode { Hide = 0, SlideLeft = 1, SlideRight = 2 };

    bool autoSend = false;
    bool displayAnimationInk = true;
    int autoSendSpeed = 3000;
    int reservedInterval = 2000;
    bool showKeypad = true;
    bool quickAccessButton = true;
    bool dockingMode = false;
    int hidingMode = Hide;
    CalcOutputMode calcSendMode = CalcOutputMode::Text;
    int nbOfDecimals = 3;
    bool displayCalculatorSampleInk = true;
    bool solveAuto = true;
    bool boxHintMode = false; // boxed pads: the character hint in the box corner, no auto-send
    bool startWithSystem = true;
    bool fadeOut = true;
    bool fadeOutAvailable = true; // whether the fade option is offered; not stored
    bool reservedFlag2 = true;
};
