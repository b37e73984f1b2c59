#include "engine/wordsearch.h"

#include "engine/utf8.h"

#include <algorithm>
#include <cmath>

namespace zk {

namespace {

const float lexiconBonus = 6.0f;
const float letterWordBonus = 1.2f; // alphabetic words of one letter: a near tie only
const float missingLetter = 0.01f; // score of a letter no candidate offered
const size_t maxWordLength = 40;

std::string joined(const std::vector<std::string> &letters)
{
    std::string s;
    for (const std::string &l : letters)
        s += l;
    return s;
}

// Letters that a lone shape does not tell apart from a digit or from each other.
std::string shapeOf(const std::string &label)
{
    if (label == "I" || label == "1" || label == "|")
        return "l";
    if (label == "0" || label == "O")
        return "o";
    return Utf8::lowered(label);
}

float wordScore(float product, size_t length)
{
    return length ? std::pow(product, 1.0f / float(length)) : 0;
}

} // namespace

std::vector<WordGuess> WordSearch::beam(const std::vector<Guesses> &characters,
                                        size_t width) const
{
    std::vector<WordGuess> beam{WordGuess{{}, 1.0f}};
    for (const Guesses &guesses : characters) {
        std::vector<WordGuess> next;
        for (const WordGuess &w : beam)
            for (const Guess &g : guesses) {
                WordGuess n = w;
                n.letters.push_back(g.label);
                n.score *= g.score;
                next.push_back(std::move(n));
            }
        std::sort(next.begin(), next.end(),
                  [](const WordGuess &a, const WordGuess &b) { return a.score > b.score; });
        if (next.size() > width)
            next.resize(width);
        beam = std::move(next);
    }
    return beam;
}

void WordSearch::addLexiconWords(const std::vector<Guesses> &characters,
                                 std::vector<WordGuess> &out) const
{
    if (characters.size() > maxWordLength)
        return;
    // Each candidate's letter and shape, worked out once for all words.
    std::vector<std::vector<std::pair<std::string, std::string>>> forms(characters.size());
    for (size_t i = 0; i < characters.size(); ++i)
        for (const Guess &g : characters[i])
            forms[i].push_back({Utf8::lowered(g.label), shapeOf(g.label)});
    for (const std::string &word : m_lexicon) {
        std::vector<uint32_t> codes;
        if (!Utf8::decode(word, codes) || codes.size() != characters.size())
            continue;
        WordGuess w;
        w.score = 1.0f;
        int missing = 0;
        for (size_t i = 0; i < codes.size(); ++i) {
            const std::string want = Utf8::encode(codes[i]);
            const std::string letter = Utf8::lowered(want), shape = shapeOf(want);
            // The word's own letter where only a look-alike was offered (a 0 for an o).
            const Guess *best = nullptr;
            bool sameLetter = false;
            for (size_t k = 0; k < characters[i].size(); ++k) {
                const Guess &g = characters[i][k];
                const bool same = forms[i][k].first == letter;
                if ((same || forms[i][k].second == shape) && (!best || g.score > best->score)) {
                    best = &g;
                    sameLetter = same;
                }
            }
            missing += !best;
            w.letters.push_back(best && sameLetter ? best->label : want);
            w.score *= best ? best->score : missingLetter;
        }
        if (missing <= (codes.size() >= 4 ? 1 : 0))
            out.push_back(std::move(w));
    }
}

std::vector<WordGuess> WordSearch::search(const std::vector<Guesses> &characters, int count) const
{
    std::vector<WordGuess> all = beam(characters, size_t(std::max(count, 1)) * 4);
    addLexiconWords(characters, all);
    for (WordGuess &w : all) {
        std::string text = joined(w.letters);
        bool known = m_lexicon.count(text) || m_lexicon.count(Utf8::lowered(text));
        float s = wordScore(w.score, w.letters.size());
        // An ideographic character alone: its listing has broken near ties in its
        // candidates already, and must not outvote a clearly better shape here.
        if (!known || (m_script == Ideographic && w.letters.size() == 1))
            w.score = s;
        else if (m_script == Alphabetic && w.letters.size() == 1)
            w.score = std::min(1.0f, s * letterWordBonus);
        else
            w.score = 1.0f - (1.0f - s) / lexiconBonus;
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const WordGuess &a, const WordGuess &b) { return a.score > b.score; });
    std::vector<WordGuess> out;
    for (WordGuess &w : all) {
        bool seen = std::any_of(out.begin(), out.end(),
                                [&](const WordGuess &o) { return o.letters == w.letters; });
        if (!seen && !w.letters.empty())
            out.push_back(std::move(w));
        if (out.size() >= size_t(std::max(count, 1)))
            break;
    }
    return out;
}

} // namespace zk
