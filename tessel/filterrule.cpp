#include "tessel/filterrule.h"

#include "tessel/parser.h"
#include "tessel/words.h"

#include <algorithm>

namespace tessel {

FilterRule::FilterRule(int child, const char *labels)
    : m_child(child)
    , m_words(splitWords(labels))
{
}

bool FilterRule::accepts(const std::string &label) const
{
    return std::find(m_words.begin(), m_words.end(), label) != m_words.end();
}

void FilterRule::apply(Parser &parser, Result &target, const Region &region)
{
    const Result &child = parser.parseSymbolRegion(m_child, region);
    std::string label;
    for (int i = 0; i < child.count(); ++i) {
        const ParseObject &object = child.object(i);
        label.clear();
        object.appendLabel(label);
        if (accepts(label) && target.accepts(object.cost))
            target.insertCandidate(object, false);
    }
}

}
