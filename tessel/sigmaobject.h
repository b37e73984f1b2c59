#ifndef TESSEL_SIGMAOBJECT_H
#define TESSEL_SIGMAOBJECT_H

#include "tessel/compositeobject.h"

namespace tessel {

// Two parts side by side, compared without regard to their flags.
class SigmaObject : public CompositeObject
{
public:
    SigmaObject(const Weights &w, const Region *objectRegion, const ParseObject &a, const ParseObject &b,
                double g, CostCallback callback);

    ParseObject *clone() const override { return new SigmaObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Sigma"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
};

}

#endif
