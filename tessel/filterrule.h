#pragma once

#include "tessel/rule.h"

#include <string>
#include <vector>

namespace tessel {

// Copies the objects of another symbol whose label is one of a list of words.
class FilterRule : public Rule
{
public:
    FilterRule(int child, const char *labels);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    bool accepts(const std::string &label) const;

    int m_child;
    std::vector<std::string> m_words;
};

}
