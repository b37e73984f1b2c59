#include "tessel/identityrule.h"

#include "tessel/parser.h"

namespace tessel {

IdentityRule::IdentityRule(int child)
    : m_child(child)
{
}

void IdentityRule::apply(Parser &parser, Result &target, const Region &region)
{
    const Result &child = parser.parseSymbolRegion(m_child, region);
    for (int i = 0; i < child.count(); ++i) {
        const ParseObject &object = child.object(i);
        if (object.cost > target.worst())
            break;
        if (target.accepts(object.cost))
            target.insertCandidate(object, false);
    }
}

}
