#pragma once

#include "tessel/parseobject.h"

namespace tessel {

// A terminal: a recognised symbol over a set of strokes.
class RecognizerObject : public ParseObject
{
public:
    RecognizerObject(const Region *objectRegion, const std::string &label, double objectCost,
                     double objectY, double objectH, int objectFlags);

    ParseObject *clone() const override { return new RecognizerObject(*this); }
    void appendLabel(std::string &text) const override { text += m_label; }
    const char *typeName() const override { return "Recognizer"; }

private:
    std::string m_label;
};

}
