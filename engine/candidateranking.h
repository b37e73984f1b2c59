#pragma once

#include "engine/characterclassifier.h"

#include <set>
#include <string>

namespace zk {

// Orders the candidates of one character from the models' guesses.
class CandidateRanking
{
public:
    // A listed character (a lexicon's common characters) moves ahead of unlisted ones from
    // position from on only where the shapes nearly tie: its model margin plus the window
    // must beat theirs, so a clearly better shape keeps its place. In the Japanese model's
    // margins the first and second guesses lie about 0.5 apart. When the leading guess is
    // one the model believes (a positive margin), the window is listedTie, well inside that
    // gap, so a rarer kanji written clearly is never buried under a listed kana or common
    // look-alike; when the model believes none, look-alikes such as 日 and 曰 or 人 and 乂
    // differ by up to 0.4 and the wider unsureListedTie lets the common one through.
    static constexpr float listedTie = 0.2f;
    static constexpr float unsureListedTie = 0.45f;
    static void preferListed(Guesses &guesses, const std::set<std::string> &listed, size_t from);

    // The user's confident guesses (the user's model takes the ink for them) first, best
    // first; then the best unsureUserGuesses of the user's other guesses and the base
    // models' merged by their scores, which both kinds of model give alike, so that an
    // unsure user model pushes few of the base's candidates down the list. Each label once,
    // where it ranks best.
    static constexpr size_t unsureUserGuesses = 2;
    static Guesses merged(const Guesses &user, const Guesses &base);
};

} // namespace zk
