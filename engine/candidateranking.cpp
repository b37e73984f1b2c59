#include "engine/candidateranking.h"

#include <algorithm>

namespace zk {

namespace {

bool byScore(const Guess &a, const Guess &b)
{
    return a.score > b.score;
}

void appendNew(Guesses &out, const Guesses &more)
{
    for (const Guess &g : more)
        if (std::none_of(out.begin(), out.end(), [&](const Guess &o) { return o.label == g.label; }))
            out.push_back(g);
}

} // namespace

void CandidateRanking::preferListed(Guesses &guesses, const std::set<std::string> &listed,
                                    size_t from)
{
    if (from >= guesses.size())
        return;
    const float tie = guesses[from].margin > 0 ? listedTie : unsureListedTie;
    auto weight = [&](const Guess &g) { return g.margin + (listed.count(g.label) ? tie : 0.0f); };
    std::stable_sort(guesses.begin() + long(from), guesses.end(),
                     [&](const Guess &a, const Guess &b) { return weight(a) > weight(b); });
}

Guesses CandidateRanking::merged(const Guesses &user, const Guesses &base)
{
    Guesses confident, rest;
    size_t unsure = 0;
    for (const Guess &g : user) {
        if (g.margin > 0)
            confident.push_back(g);
        else if (unsure++ < unsureUserGuesses)
            rest.push_back(g);
    }
    rest.insert(rest.end(), base.begin(), base.end());
    std::stable_sort(confident.begin(), confident.end(), byScore);
    std::stable_sort(rest.begin(), rest.end(), byScore);
    Guesses out;
    appendNew(out, confident);
    appendNew(out, rest);
    return out;
}

} // namespace zk
