#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// Contents between an opening and a closing bracket.
class ParenthesisObject : public CompositeObject
{
public:
    ParenthesisObject(const Weights &w, const Region *objectRegion, const ParseObject &open,
                      const ParseObject &contents, const ParseObject &close, double g,
                      CostCallback callback);

    ParseObject *clone() const override { return new ParenthesisObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Parenthesis"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}
