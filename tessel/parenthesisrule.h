#pragma once

#include "tessel/rule.h"

namespace tessel {

class ParseObject;
struct Box;
struct Weights;

// Contents between an opening and a closing bracket of one to three strokes each.
class ParenthesisRule : public Rule
{
public:
    ParenthesisRule(int open, int contents, int close, CostCallback callback);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    static double enclosurePenalty(const Weights &w, const Box &open, const Box &contents, const Box &close);
    void combine(Parser &parser, Result &target, const Region &region, const Result &open,
                 const Result &contents, const Result &close, double g) const;

    int m_open;
    int m_contents;
    int m_close;
};

}
