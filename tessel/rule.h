#pragma once

#include "tessel/tessel.h"

namespace tessel {

class Parser;
class Region;
class Result;
struct Box;
struct Weights;

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
    // Penalises `wide` for not spanning `narrow` and `upper` for not lying above `lower`,
    // each squared distance weighted by `factor` times w.dx.
    static double spanPenalty(const Weights &w, double factor, const Box &wide, const Box &narrow,
                              const Box &upper, const Box &lower);

    CostCallback m_callback;
};

}
