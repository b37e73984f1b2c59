#pragma once

#include "tessel/compositeobject.h"

namespace tessel {

// An integral sign with its integrand and, optionally, an upper and a lower limit.
class IntegralObject : public CompositeObject
{
public:
    IntegralObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
                   const ParseObject &integrand, double g, CostCallback callback);
    IntegralObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
                   const ParseObject &upper, const ParseObject &integrand, const ParseObject &lower,
                   double g, CostCallback callback);

    // Limits count at their expected share of the main height.
    static double normalisingHeight(const ParseObject &s, const ParseObject *b, const ParseObject &i,
                                    const ParseObject *d);

    ParseObject *clone() const override { return new IntegralObject(*this); }
    void appendLabel(std::string &text) const override;
    const char *typeName() const override { return "Integral"; }
    Box layoutBox() const override;
    void place(Ink &target, double x, double y, double s) const override;
    int childCount() const override;
    const ParseObject *child(int i) const override;

private:
    enum Slot { Sign, Upper, Integrand, Lower };
};

}
