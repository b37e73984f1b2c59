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

bool isDigit(const std::string &label)
{
    return label.size() == 1 && label[0] >= '0' && label[0] <= '9';
}

// The digit that a candidate stands for in a number: itself, or the digit its letter's
// shape also writes ("" for none).
std::string digitOf(const std::string &label)
{
    if (isDigit(label))
        return label;
    static const std::pair<const char *, const char *> lookAlikes[] = {
        {"o", "0"}, {"O", "0"}, {"l", "1"}, {"I", "1"}, {"|", "1"}, {"z", "2"}, {"Z", "2"},
        {"s", "5"}, {"S", "5"}, {"b", "6"}, {"B", "8"}, {"g", "9"}, {"q", "9"}};
    for (const auto &[letter, digit] : lookAlikes)
        if (label == letter)
            return digit;
    return {};
}

float wordScore(float product, size_t length)
{
    return length ? std::pow(product, 1.0f / float(length)) : 0;
}

} // namespace

std::string WordSearch::shapeOf(const std::string &label)
{
    if (label == "I" || label == "1" || label == "|")
        return "l";
    if (label == "0" || label == "O")
        return "o";
    return Utf8::lowered(label);
}

float WordSearch::rank(float mean, bool known, size_t letters) const
{
    // An ideographic character alone: its listing has broken near ties in its candidates
    // already, and must not outvote a clearly better shape here.
    if (!known || (m_script == Ideographic && letters == 1))
        return mean;
    if (m_script == Alphabetic && letters == 1)
        return std::min(1.0f, mean * letterWordBonus);
    return 1.0f - (1.0f - mean) / lexiconBonus;
}

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

bool WordSearch::addNumber(const std::vector<Guesses> &characters, std::vector<WordGuess> &out)
{
    size_t digits = 0;
    for (const Guesses &guesses : characters)
        digits += !guesses.empty() && isDigit(guesses.front().label);
    if (characters.size() < 2 || 2 * digits <= characters.size())
        return false;
    WordGuess number{{}, 1.0f};
    for (const Guesses &guesses : characters) {
        auto it = std::find_if(guesses.begin(), guesses.end(),
                               [](const Guess &g) { return !digitOf(g.label).empty(); });
        if (it == guesses.end())
            return false;
        number.letters.push_back(digitOf(it->label));
        number.score *= it->score;
    }
    out.push_back(std::move(number));
    return true;
}

std::vector<WordGuess> WordSearch::search(const std::vector<Guesses> &characters, int count) const
{
    std::vector<WordGuess> all = beam(characters, size_t(std::max(count, 1)) * 4);
    addLexiconWords(characters, all);
    const size_t numberAt = all.size();
    const bool number = m_script == Alphabetic && addNumber(characters, all);
    for (size_t i = 0; i < all.size(); ++i) {
        WordGuess &w = all[i];
        std::string text = joined(w.letters);
        // Mostly digits: the whole reads as a number, as sure as a known word.
        bool known = (number && i == numberAt) || m_lexicon.count(text)
                     || m_lexicon.count(Utf8::lowered(text));
        w.score = rank(wordScore(w.score, w.letters.size()), known, w.letters.size());
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
