#pragma once

#include "engine/characterclassifier.h"
#include "engine/segmenter.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zk {

// A free word read as a lattice: its strokes cut at their turning points (the valleys and
// peaks where joined letters meet) into pieces, a character being a run of neighbouring
// pieces; the runs are read by the letter classifier and the best paths through them found
// with the lexicon's words and without.
class WordLattice
{
public:
    using Reader = std::function<Guesses(const InkStrokes &)>;

    struct Path {
        std::vector<std::pair<size_t, size_t>> runs; // pieces [first, second) per character
        std::vector<std::string> letters;
        float score = 0; // weighted geometric mean of the letters' scores
        bool known = false;
    };

    // height: the line's typical character height. Characters the segmenter grouped stay
    // whole unless they are too wide for one letter; those are cut.
    WordLattice(const WordGroup &word, float height);

    // False when the word cannot be cut (typed text, too many pieces).
    bool usable() const { return m_usable; }
    // Whether a character group was cut.
    bool isCut() const { return m_cut; }
    size_t pieceCount() const { return m_atoms.size(); }

    // The best paths, best first: the lexicon's words the runs can spell and the best
    // letter-by-letter readings.
    std::vector<Path> search(const Reader &read, const std::set<std::string> &lexicon, int count);

    InkStrokes ink(size_t first, size_t last) const;
    std::vector<zkInkRecord> records(size_t first, size_t last) const;
    const Guesses &guesses(size_t first, size_t last) const;

private:
    struct Piece {
        EntryRef ref;
        int first = 0; // points first..last of the stroke
        int last = 0;
        float length = 0;
        InkBox box;
    };
    using Run = std::pair<size_t, size_t>;

    using Atom = std::vector<Piece>;

    void addStroke(const EntryRef &ref, float depth, Atom &pieces) const;
    bool fits(size_t first, size_t last) const;
    float share(size_t first, size_t last) const;
    // Whether a character starting at this piece starts inside a stroke.
    bool startsInside(size_t piece) const;
    void readRuns(const Reader &read);
    void letterPaths(std::vector<Path> &out, int count) const;
    void lexiconPaths(const std::set<std::string> &lexicon, std::vector<Path> &out) const;

    std::vector<Atom> m_atoms; // the pieces a character is made of, left to right
    std::map<Run, Guesses> m_runs;
    float m_height = 0;
    std::vector<float> m_lengths; // of each atom
    float m_length = 0;
    bool m_usable = true;
    bool m_cut = false;
};

} // namespace zk
