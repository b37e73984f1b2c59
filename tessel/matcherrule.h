#pragma once

#include "tessel/matcher.h"
#include "tessel/rule.h"

namespace tessel {

// Terminals recognised by matching regions of up to three strokes against built-in templates.
class MatcherRule : public Rule
{
public:
    explicit MatcherRule(const char *description);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    Matcher m_matcher;
};

}
