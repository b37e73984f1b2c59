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
    // position from on only where the shapes nearly tie: its model margin plus listedTie must
    // beat theirs, so a clearly better shape keeps its place. In the Japanese model's margins
    // (first and second guesses lie about 0.5 apart) look-alikes such as 日 and 曰 or 人 and 乂
    // differ by up to 0.4; measured on drawn kanji, this window lifts a few more listed right
    // answers than it buries unlisted ones.
    static constexpr float listedTie = 0.45f;
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
