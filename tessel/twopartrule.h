#pragma once

#include "tessel/parser.h"

namespace tessel {

// Splits a region into a prefix and the rest along one stroke order and
// combines every affordable pair of objects of the two part symbols.
class TwoPartRule : public Rule
{
public:
    void apply(Parser &parser, Result &target, const Region &region) override;

protected:
    TwoPartRule(int first, int second, CostCallback callback);

    virtual Parser::Order order() const = 0;
    virtual int maxPrefix(int strokeCount) const { return strokeCount - 1; }
    virtual double layoutPenalty(const Weights &w, const Box &a, const Box &b) const;
    virtual double normalisingHeight(const ParseObject &a, const ParseObject *b) const = 0;
    virtual std::unique_ptr<ParseObject> build(const Weights &w, const Region &region, const ParseObject &a,
                                               const ParseObject &b, double g) const = 0;

private:
    void combine(Parser &parser, Result &target, const Region &region, const Result &first,
                 const Result &second, double g) const;

    int m_first;
    int m_second;
};

}
