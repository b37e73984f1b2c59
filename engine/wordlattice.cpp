#include "engine/wordlattice.h"

#include "engine/utf8.h"
#include "engine/wordsearch.h"

#include <algorithm>
#include <cmath>

namespace zk {

namespace {

const float wideGroup = 1.6f;     // a group wider than this for the line's height is not one letter
const float cutDepth = 0.08f;     // a turning point rises or falls this share of the height
const size_t maxPieces = 48;      // more pieces than this: the word is not cut
const size_t maxRun = 6;          // pieces of one character (an m cut at each turn)
const float runWidth = 2.0f;      // a character at most this wide for its height
const float pieceWeight = 0.05f;  // of the height: a dot's share of the word's ink
const float innerCut = 0.85f;     // a character's end inside a stroke: a cut to be sure of
const size_t pathsPerNode = 12;
const size_t guessesPerRun = 3;
const size_t lexiconRank = 3;     // a lexicon word's letters are among the first of their runs
const float missingLetter = 0.01f;

float pathLength(const InkStroke &points, int first, int last)
{
    float sum = 0;
    for (int i = first + 1; i <= last; ++i)
        sum += std::hypot(points[size_t(i)].x - points[size_t(i - 1)].x,
                          points[size_t(i)].y - points[size_t(i - 1)].y);
    return sum;
}

InkBox boxOf(const InkStroke &points, int first, int last)
{
    return boundingBox(InkStroke(points.begin() + first, points.begin() + last + 1));
}

// Indices of the stroke's turning points in height (lowest and highest points between
// moves of at least depth), its ends left out.
std::vector<int> turningPoints(const InkStroke &points, float depth)
{
    std::vector<int> out;
    int lo = 0, hi = 0, extreme = 0, direction = 0;
    for (int i = 1; i < int(points.size()); ++i) {
        const float y = points[size_t(i)].y;
        if (direction == 0) {
            lo = y < points[size_t(lo)].y ? i : lo;
            hi = y > points[size_t(hi)].y ? i : hi;
            if (points[size_t(hi)].y - points[size_t(lo)].y >= depth) {
                direction = hi > lo ? 1 : -1;
                extreme = direction > 0 ? hi : lo;
            }
            continue;
        }
        const float from = points[size_t(extreme)].y;
        if ((direction > 0 && y >= from) || (direction < 0 && y <= from)) {
            extreme = i;
        } else if (std::fabs(y - from) >= depth) {
            out.push_back(extreme);
            direction = -direction;
            extreme = i;
        }
    }
    out.erase(std::remove_if(out.begin(), out.end(),
                             [&](int i) { return i < 2 || i > int(points.size()) - 3; }),
              out.end());
    return out;
}

bool sameStrokeOrder(const EntryRef &a, const EntryRef &b)
{
    return std::make_pair(a.unit, a.component) < std::make_pair(b.unit, b.component);
}

} // namespace

WordLattice::WordLattice(const WordGroup &word, float height)
    : m_height(std::max(height, 1e-3f))
{
    for (const CharacterGroup &group : word) {
        CharacterGroup strokes = group;
        std::stable_sort(strokes.begin(), strokes.end(), sameStrokeOrder);
        const bool wide = groupBox(group).width() > wideGroup * m_height;
        Atom pieces;
        for (const EntryRef &e : strokes) {
            if (e.entry->kind != InkEntry::Stroke || e.entry->points.empty()) {
                m_usable = false;
                return;
            }
            addStroke(e, wide ? cutDepth * m_height : 1e30f, pieces);
        }
        if (!wide) {
            m_atoms.push_back(std::move(pieces));
            continue;
        }
        m_cut = true;
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) {
            return a.box.left + a.box.right < b.box.left + b.box.right;
        });
        for (Piece &p : pieces)
            m_atoms.push_back({std::move(p)});
    }
    m_usable = m_usable && !m_atoms.empty() && m_atoms.size() <= maxPieces;
    for (const Atom &atom : m_atoms) {
        m_lengths.push_back(0);
        for (const Piece &p : atom)
            m_lengths.back() += p.length;
        m_length += m_lengths.back();
    }
}

void WordLattice::addStroke(const EntryRef &ref, float depth, Atom &pieces) const
{
    const InkStroke &points = ref.entry->points;
    std::vector<int> ends = turningPoints(points, depth);
    ends.push_back(int(points.size()) - 1);
    int first = 0;
    for (int last : ends) {
        pieces.push_back({ref, first, last, pathLength(points, first, last) + pieceWeight * m_height,
                          boxOf(points, first, last)});
        first = last;
    }
}

InkStrokes WordLattice::ink(size_t first, size_t last) const
{
    std::vector<Piece> run;
    for (size_t i = first; i < last; ++i)
        run.insert(run.end(), m_atoms[i].begin(), m_atoms[i].end());
    std::stable_sort(run.begin(), run.end(), [](const Piece &a, const Piece &b) {
        return sameStrokeOrder(a.ref, b.ref) || (a.ref.entry == b.ref.entry && a.first < b.first);
    });
    InkStrokes out;
    const Piece *previous = nullptr;
    for (const Piece &p : run) {
        const InkStroke &points = p.ref.entry->points;
        const bool continues = previous && previous->ref.entry == p.ref.entry && previous->last == p.first;
        if (!continues)
            out.emplace_back();
        out.back().insert(out.back().end(), points.begin() + p.first + (continues ? 1 : 0),
                          points.begin() + p.last + 1);
        previous = &p;
    }
    return out;
}

std::vector<zkInkRecord> WordLattice::records(size_t first, size_t last) const
{
    std::vector<zkInkRecord> out;
    for (size_t i = first; i < last; ++i)
        for (const Piece &p : m_atoms[i])
            out.push_back({int16_t(p.ref.unit), int16_t(p.ref.component), int16_t(p.first),
                           int16_t(p.ref.unit), int16_t(p.ref.component), int16_t(p.last)});
    std::sort(out.begin(), out.end(), [](const zkInkRecord &a, const zkInkRecord &b) {
        return std::make_tuple(a.firstUnit, a.firstComponent, a.firstPoint)
               < std::make_tuple(b.firstUnit, b.firstComponent, b.firstPoint);
    });
    return out;
}

const Guesses &WordLattice::guesses(size_t first, size_t last) const
{
    static const Guesses none;
    auto it = m_runs.find({first, last});
    return it == m_runs.end() ? none : it->second;
}

bool WordLattice::fits(size_t first, size_t last) const
{
    if (last <= first || last - first > maxRun)
        return false;
    InkBox box = m_atoms[first].front().box;
    for (size_t i = first; i < last; ++i)
        for (const Piece &p : m_atoms[i])
            box = unite(box, p.box);
    return box.width() <= runWidth * std::max(box.height(), 0.5f * m_height);
}

bool WordLattice::startsInside(size_t piece) const
{
    if (piece == 0)
        return false;
    const Piece &before = m_atoms[piece - 1].back(), &after = m_atoms[piece].front();
    return before.ref.entry == after.ref.entry && before.last == after.first;
}

float WordLattice::share(size_t first, size_t last) const
{
    float sum = 0;
    for (size_t i = first; i < last; ++i)
        sum += m_lengths[i];
    return m_length > 0 ? sum / m_length : 0;
}

void WordLattice::readRuns(const Reader &read)
{
    for (size_t first = 0; first < m_atoms.size(); ++first)
        for (size_t last = first + 1; last <= std::min(m_atoms.size(), first + maxRun); ++last)
            if (fits(first, last))
                m_runs[{first, last}] = read(ink(first, last));
}

namespace {

struct Partial {
    float logSum = 0;
    std::vector<std::pair<size_t, size_t>> runs;
    std::vector<std::string> letters;
};

} // namespace

void WordLattice::letterPaths(std::vector<Path> &out, int count) const
{
    const size_t n = m_atoms.size();
    std::vector<std::vector<Partial>> at(n + 1);
    at[0].push_back({});
    for (size_t from = 0; from < n; ++from) {
        auto &here = at[from];
        std::sort(here.begin(), here.end(),
                  [](const Partial &a, const Partial &b) { return a.logSum > b.logSum; });
        if (here.size() > pathsPerNode)
            here.resize(pathsPerNode);
        const bool inside = startsInside(from);
        for (size_t to = from + 1; to <= std::min(n, from + maxRun); ++to) {
            const Guesses &g = guesses(from, to);
            const float w = share(from, to);
            for (size_t k = 0; k < std::min(g.size(), guessesPerRun); ++k)
                for (const Partial &p : here) {
                    Partial next = p;
                    next.logSum += w * std::log(g[k].score) + (inside ? std::log(innerCut) : 0.0f);
                    next.runs.push_back({from, to});
                    next.letters.push_back(g[k].label);
                    at[to].push_back(std::move(next));
                }
        }
    }
    auto &last = at[n];
    std::sort(last.begin(), last.end(),
              [](const Partial &a, const Partial &b) { return a.logSum > b.logSum; });
    for (size_t i = 0; i < last.size() && int(i) < count; ++i)
        out.push_back({last[i].runs, last[i].letters, std::exp(last[i].logSum), false});
}

void WordLattice::lexiconPaths(const std::set<std::string> &lexicon, std::vector<Path> &out) const
{
    const size_t n = m_atoms.size();
    for (const std::string &word : lexicon) {
        std::vector<uint32_t> codes;
        if (!Utf8::decode(word, codes) || codes.empty() || codes.size() > n
            || codes.size() * maxRun < n)
            continue;
        const size_t letters = codes.size();
        const int allowedMissing = 0;
        // best[k][node][missing]: the best log sum spelling k letters up to node.
        const float none = -1e30f;
        struct Cell {
            float logSum;
            size_t from;
            int fromMissing;
            std::string label;
        };
        std::vector<std::vector<std::vector<Cell>>> best(
            letters + 1, std::vector<std::vector<Cell>>(n + 1, std::vector<Cell>(2, {none, 0, 0, {}})));
        best[0][0][0].logSum = 0;
        for (size_t k = 0; k < letters; ++k) {
            const std::string want = Utf8::encode(codes[k]);
            const std::string letter = Utf8::lowered(want), shape = WordSearch::shapeOf(want);
            for (size_t from = 0; from < n; ++from)
                for (int m = 0; m <= allowedMissing; ++m) {
                    const Cell &cell = best[k][from][size_t(m)];
                    if (cell.logSum <= none)
                        continue;
                    const bool inside = startsInside(from);
                    for (size_t to = from + 1; to <= std::min(n, from + maxRun); ++to) {
                        auto it = m_runs.find({from, to});
                        if (it == m_runs.end())
                            continue;
                        const Guess *match = nullptr;
                        bool same = false;
                        for (size_t r = 0; r < std::min(it->second.size(), lexiconRank); ++r) {
                            const Guess &g = it->second[r];
                            const bool s = Utf8::lowered(g.label) == letter;
                            if ((s || WordSearch::shapeOf(g.label) == shape) && (!match || g.score > match->score)) {
                                match = &g;
                                same = s;
                            }
                        }
                        const int missing = m + (match ? 0 : 1);
                        if (missing > allowedMissing)
                            continue;
                        const float score = match ? match->score : missingLetter;
                        const float sum = cell.logSum + share(from, to) * std::log(score)
                                          + (inside ? std::log(innerCut) : 0.0f);
                        Cell &next = best[k + 1][to][size_t(missing)];
                        if (sum > next.logSum)
                            next = {sum, from, m, match && same ? match->label : want};
                    }
                }
        }
        int m = best[letters][n][0].logSum >= best[letters][n][1].logSum ? 0 : 1;
        if (best[letters][n][size_t(m)].logSum <= none)
            continue;
        Path path;
        path.score = std::exp(best[letters][n][size_t(m)].logSum);
        path.known = true;
        size_t node = n;
        for (size_t k = letters; k > 0; --k) {
            const Cell &cell = best[k][node][size_t(m)];
            path.runs.insert(path.runs.begin(), {cell.from, node});
            path.letters.insert(path.letters.begin(), cell.label);
            m = cell.fromMissing;
            node = cell.from;
        }
        out.push_back(std::move(path));
    }
}

std::vector<WordLattice::Path> WordLattice::search(const Reader &read,
                                                   const std::set<std::string> &lexicon, int count)
{
    std::vector<Path> out;
    if (!m_usable)
        return out;
    readRuns(read);
    letterPaths(out, count);
    lexiconPaths(lexicon, out);
    return out;
}

} // namespace zk
