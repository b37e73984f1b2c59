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

private:
    std::vector<WordGuess> beam(const std::vector<Guesses> &characters, size_t width) const;
    void addLexiconWords(const std::vector<Guesses> &characters, std::vector<WordGuess> &out) const;

    const std::set<std::string> &m_lexicon;
    Script m_script;
};

} // namespace zk
