#ifndef TESSEL_RULE_H
#define TESSEL_RULE_H

#include "tessel/tessel.h"

namespace tessel {

class Parser;
class Region;
class Result;

// One way of producing objects of a symbol over a region.
class Rule
{
public:
    explicit Rule(CostCallback callback = nullptr)
        : m_callback(callback)
    {
    }
    virtual ~Rule() = default;
    Rule(const Rule &) = delete;
    Rule &operator=(const Rule &) = delete;

    virtual void apply(Parser &parser, Result &target, const Region &region) = 0;

protected:
    CostCallback m_callback;
};

}

#endif
