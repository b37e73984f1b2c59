#pragma once

#include "engine/characterclassifier.h"

#include <set>
#include <string>
#include <vector>

namespace zk {

struct WordGuess {
    std::vector<std::string> letters; // one label per character
    float score = 0;
};

// Word candidates from the candidates of their characters: a beam over the characters,
// plus the lexicon's words that the characters can spell (they get a bonus).
class WordSearch
{
public:
    // Alphabetic: a lone letter may stand for itself, so the lexicon's one-letter words ("a",
    // "I") only break near ties; in ideographic scripts one character is a word, and a
    // listed one gets no bonus (its candidates were ranked with the list already).
    enum Script { Alphabetic, Ideographic };

    explicit WordSearch(const std::set<std::string> &lexicon, Script script = Alphabetic)
        : m_lexicon(lexicon)
        , m_script(script)
    {
    }

    std::vector<WordGuess> search(const std::vector<Guesses> &characters, int count) const;

    // A word's score from the mean of its letters' scores: known words (the lexicon's, and
    // numbers) well ahead of unknown ones.
    float rank(float mean, bool known, size_t letters) const;
    // The letter a shape stands for where it does not tell look-alikes apart (1 and I for l).
    static std::string shapeOf(const std::string &label);

private:
    std::vector<WordGuess> beam(const std::vector<Guesses> &characters, size_t width) const;
    void addLexiconWords(const std::vector<Guesses> &characters, std::vector<WordGuess> &out) const;
    // Where most characters read first as digits, the number they spell: each character's
    // best digit or digit look-alike (o for 0, l for 1, s for 5). False when there is none.
    static bool addNumber(const std::vector<Guesses> &characters, std::vector<WordGuess> &out);

    const std::set<std::string> &m_lexicon;
    Script m_script;
};

} // namespace zk
