#pragma once

#include "tessel/rule.h"

namespace tessel {

// Copies the objects of another symbol over the same region.
class IdentityRule : public Rule
{
public:
    explicit IdentityRule(int child);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    int m_child;
};

}
