#include "tessel/matcherrule.h"

#include "tessel/matcherobject.h"
#include "tessel/parser.h"
#include "tessel/templatelibrary.h"

#include <climits>

namespace tessel {

namespace {

constexpr int kMaxStrokes = 3;

}

MatcherRule::MatcherRule(const char *description)
    : m_matcher(description)
{
}

void MatcherRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 1 || n > kMaxStrokes)
        return;
    m_matcher.clearInk();
    for (int s = region.firstStroke(); s >= 0; s = region.nextStroke(s))
        m_matcher.addInk(parser.strokeRecord(s).stroke);
    m_matcher.matchTemplates(INT_MAX);
    for (const TemplateMatch &match : m_matcher.matches()) {
        const double cost = match.cost * n / sq(match.scale);
        if (!target.accepts(cost))
            break;
        const MatcherObject object(templateLibrary()[size_t(match.templateIndex)], &region, cost, match.ty,
                                   match.scale);
        target.insertCandidate(object, false);
    }
}

}
