#pragma once

#include "tessel/parser.h"

namespace tessel {

// Splits a region along one stroke order into a first part, a middle part of a
// few strokes and the rest, and combines every affordable triple of objects.
class ThreePartRule : public Rule
{
public:
    void apply(Parser &parser, Result &target, const Region &region) override;

protected:
    ThreePartRule(int first, int middle, int last, CostCallback callback);

    virtual Parser::Order order() const = 0;
    virtual int maxMiddle() const = 0;
    virtual double layoutPenalty(const Weights &w, const Box &a, const Box &b, const Box &c) const = 0;
    virtual double normalisingHeight(const ParseObject &a, const ParseObject *b, const ParseObject *c) const = 0;
    virtual std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                               const ParseObject &b, const ParseObject &c, double g,
                                               const Box &middle) const = 0;

    double bound(double g, const ParseObject &a, const ParseObject *b, const ParseObject *c) const;

    int m_first;
    int m_middle;
    int m_last;

private:
    void combine(Parser &parser, Result &target, const Region &region, const Result &first,
                 const Result &middle, const Result &last, double g, const Box &middleBox) const;
};

}
