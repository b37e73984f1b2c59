#include "engine/textbuilder.h"

#include "engine/gestureclassifier.h"
#include "engine/inkinput.h"
#include "engine/utf8.h"
#include "engine/wordlattice.h"
#include "engine/wordsearch.h"

#include <algorithm>
#include <cmath>

namespace zk {

namespace {

const int searchWidth = 8;       // character candidates looked at by the word search
const float capitalShare = 1.25f; // capitals stand at least this many typical characters tall
const float hugging = 0.03f;      // a guide box this close to the ink's top and bottom wraps it
const float nearGap = 0.12f;      // neighbours closer than this share of the line height may join
const float sharedBand = 0.6f;    // and share this much of the lower one's height
const float joinedWidth = 1.6f;   // such a letter (m, w) is at most this wide for its height
const float joinMargin = 1.0f;    // and the model takes the whole for a letter by this margin
const std::string narrowLetters = "lI1|ij!"; // never two neighbours joined
const size_t leastJoined = 3;     // letters of a lexicon word read in joined-up writing first

// The model's own margin for its first guess: unlike the scores, it does not saturate.
float bestMargin(const Guesses &guesses)
{
    return guesses.empty() ? -1e9f : guesses.front().margin;
}

// Whether two neighbouring characters of a line could be the parts of one letter.
bool mayJoin(const CharacterGroup &left, const CharacterGroup &right, float height)
{
    if (left.front().entry->kind != InkEntry::Stroke || right.front().entry->kind != InkEntry::Stroke)
        return false;
    InkBox a = groupBox(left), b = groupBox(right);
    float gap = b.left - a.right;
    float band = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    InkBox whole = unite(a, b);
    return gap <= nearGap * height && band >= sharedBand * std::min(a.height(), b.height())
           && whole.width() <= joinedWidth * whole.height();
}

// The size cue of a boxed character. A guide box that only wraps the ink tells a dot from a
// letter but not a small letter from a capital.
RecognitionContext::SizeCue boxedSizes(const InkBox &guide, const InkBox &ink)
{
    float reference = std::max(guide.width(), guide.height());
    float reach = hugging * guide.height();
    bool wraps = std::fabs(ink.top - guide.top) <= reach && std::fabs(ink.bottom - guide.bottom) <= reach;
    return {reference, wraps ? 0.0f : reference, false};
}

zkInkRecord recordOf(const EntryRef &e)
{
    int16_t last = e.entry->kind == InkEntry::Stroke
                       ? int16_t(std::max(0, e.entry->sourcePoints - 1))
                       : int16_t(1);
    return {int16_t(e.unit), int16_t(e.component), 0, int16_t(e.unit), int16_t(e.component), last};
}

// The group's strokes in writing order (models of some scripts depend on it).
InkStrokes strokesOf(CharacterGroup group)
{
    std::stable_sort(group.begin(), group.end(), [](const EntryRef &a, const EntryRef &b) {
        return std::make_pair(a.unit, a.component) < std::make_pair(b.unit, b.component);
    });
    InkStrokes ink;
    for (const EntryRef &e : group)
        if (e.entry->kind == InkEntry::Stroke && !e.entry->points.empty())
            ink.push_back(e.entry->points);
    return ink;
}

// The writing's slant as dx/dy of its steep pieces, weighted by their height.
float slantOf(const InkUnit &unit)
{
    double sum = 0, weight = 0;
    for (const InkEntry &entry : unit.entries)
        for (size_t i = 1; i < entry.points.size(); ++i) {
            float dx = entry.points[i].x - entry.points[i - 1].x;
            float dy = entry.points[i].y - entry.points[i - 1].y;
            if (std::fabs(dy) > 2 * std::fabs(dx) && dy != 0) {
                sum += double(dx / dy) * std::fabs(dy);
                weight += std::fabs(dy);
            }
        }
    return weight > 0 ? float(std::clamp(sum / weight, -1.0, 1.0)) : 0.0f;
}

// Box of a stroke with its slant taken out.
InkBox uprightBox(const InkStroke &stroke, float slant)
{
    InkStroke upright;
    for (const InkPoint &p : stroke)
        upright.push_back({p.x - slant * p.y, p.y});
    return boundingBox(upright);
}

// Typed text has no place on the page, so free writing leaves it out.
std::vector<EntryRef> entriesOf(const InkUnit &unit, int index)
{
    std::vector<EntryRef> out;
    float slant = unit.kind == ZK_UNIT_FREE ? slantOf(unit) : 0.0f;
    for (size_t c = 0; c < unit.entries.size(); ++c) {
        const InkEntry &entry = unit.entries[c];
        InkBox box = entry.kind == InkEntry::Stroke ? uprightBox(entry.points, slant) : entry.box;
        if (entry.kind == InkEntry::Stroke && entry.points.empty())
            continue;
        if (entry.kind == InkEntry::Text && unit.kind == ZK_UNIT_FREE)
            continue;
        out.push_back({index, int(c), &entry, box});
    }
    return out;
}

} // namespace

TextBuilder::CharacterRead TextBuilder::readGroup(const CharacterGroup &group,
                                                  const RecognitionContext::SizeCue &size) const
{
    CharacterRead read;
    for (const EntryRef &e : group)
        read.ink.push_back(recordOf(e));
    const InkEntry *first = group.front().entry;
    if (first->kind != InkEntry::Stroke) {
        for (const auto &l : first->labels)
            read.guesses.push_back({l.first, l.second});
        return read;
    }
    InkStrokes ink = strokesOf(group);
    if (m_context.hasGestures()) {
        std::string gesture = GestureClassifier::classify(ink);
        if (!gesture.empty()) {
            read.guesses.push_back({gesture, 0.9f});
            return read;
        }
    }
    read.guesses = m_context.read(ink, size, std::max(searchWidth, m_limits.characters));
    return read;
}

std::vector<TextBuilder::CharacterRead> TextBuilder::readWord(const WordGroup &groups,
                                                              const LineGroup &line) const
{
    const RecognitionContext::SizeCue size = lineSizes(line);
    std::vector<CharacterRead> out;
    CharacterGroup current;
    CharacterRead read, next;
    bool haveNext = false;
    for (size_t i = 0; i < groups.size(); ++i) {
        current = groups[i];
        read = haveNext ? next : readGroup(current, size);
        haveNext = false;
        while (!m_context.isIdeographic() && i + 1 < groups.size()
               && mayJoin(current, groups[i + 1], line.height)) {
            CharacterGroup joined = current;
            joined.insert(joined.end(), groups[i + 1].begin(), groups[i + 1].end());
            CharacterRead whole = readGroup(joined, size);
            next = readGroup(groups[i + 1], size);
            haveNext = true;
            if (!joinsAsOne(whole, read, next, groups.size() == 2))
                break;
            current = std::move(joined);
            read = std::move(whole);
            haveNext = false;
            ++i;
        }
        out.push_back(std::move(read));
    }
    return out;
}

bool TextBuilder::joinsAsOne(const CharacterRead &whole, const CharacterRead &left,
                             const CharacterRead &right, bool wholeWord) const
{
    const float margin = bestMargin(whole.guesses);
    const float a = bestMargin(left.guesses), b = bestMargin(right.guesses);
    // Two groups side by side are never one stroke's width.
    if (whole.guesses.empty() || narrowLetters.find(whole.guesses.front().label) != std::string::npos)
        return false;
    if (margin >= joinMargin && margin >= std::max(a, b))
        return true;
    if (!wholeWord || margin < std::min(a, b) || left.guesses.empty() || right.guesses.empty())
        return false;
    const std::string split = left.guesses.front().label + right.guesses.front().label;
    return !m_context.words().count(split) && !m_context.words().count(Utf8::lowered(split));
}

// Square characters stand alone. Latin capitals reach up from the baseline, and only a line
// with characters taller than its typical ones shows their height.
RecognitionContext::SizeCue TextBuilder::lineSizes(const LineGroup &line) const
{
    if (m_context.isIdeographic())
        return {line.tallest, line.tallest, true};
    bool capitalsShow = line.ascent >= capitalShare * line.typicalAscent;
    return {line.ascent, capitalsShow ? line.ascent : 0.0f, true};
}

ResultSegment TextBuilder::wordSegment(const std::vector<CharacterRead> &characters) const
{
    ResultSegment word;
    std::vector<Guesses> guesses;
    for (const CharacterRead &c : characters) {
        word.ink.insert(word.ink.end(), c.ink.begin(), c.ink.end());
        guesses.push_back(c.guesses.empty() ? Guesses{{"#", 1e-6f}} : c.guesses);
    }
    WordSearch search(m_context.words(), m_context.isIdeographic() ? WordSearch::Ideographic
                                                                   : WordSearch::Alphabetic);
    for (const WordGuess &w : search.search(guesses, m_limits.words)) {
        ResultCandidate candidate{{}, w.score, {}};
        for (size_t i = 0; i < characters.size(); ++i) {
            ResultSegment ch;
            ch.ink = characters[i].ink;
            for (const Guess &g : guesses[i])
                ch.candidates.push_back({g.label, g.score, {}});
            auto it = std::find_if(ch.candidates.begin(), ch.candidates.end(),
                                   [&](const ResultCandidate &c) { return c.label == w.letters[i]; });
            if (it == ch.candidates.end()) {
                ch.candidates.push_back({w.letters[i], 1e-3f, {}});
                it = ch.candidates.end() - 1;
            }
            ch.selected = int(it - ch.candidates.begin());
            candidate.label += w.letters[i];
            candidate.children.push_back(std::move(ch));
        }
        word.candidates.push_back(std::move(candidate));
    }
    return word;
}

ResultSegment TextBuilder::freeWord(const WordGroup &groups, const LineGroup &line) const
{
    ResultSegment word = wordSegment(readWord(groups, line));
    if (m_context.isIdeographic() || m_context.hasGestures())
        return word;
    WordLattice lattice(groups, line.height);
    if (!lattice.usable() || !lattice.isCut())
        return word;
    const RecognitionContext::SizeCue size = lineSizes(line);
    auto read = [&](const InkStrokes &ink) { return m_context.read(ink, size, searchWidth); };
    const WordSearch search(m_context.words());
    // A group too wide for one letter is joined-up writing: the words of the lexicon read in
    // it go first (a wide m or w may read as two letters, so words of at least three), then
    // the readings of the groups, then the other cut readings.
    std::vector<ResultCandidate> known, cut;
    for (const WordLattice::Path &path : lattice.search(read, m_context.words(), m_limits.words)) {
        ResultCandidate candidate{{}, search.rank(path.score, path.known, path.letters.size()), {}};
        for (size_t i = 0; i < path.runs.size(); ++i) {
            ResultSegment ch;
            ch.ink = lattice.records(path.runs[i].first, path.runs[i].second);
            for (const Guess &g : lattice.guesses(path.runs[i].first, path.runs[i].second))
                ch.candidates.push_back({g.label, g.score, {}});
            auto it = std::find_if(ch.candidates.begin(), ch.candidates.end(),
                                   [&](const ResultCandidate &c) { return c.label == path.letters[i]; });
            if (it == ch.candidates.end())
                it = ch.candidates.insert(ch.candidates.end(), {path.letters[i], 1e-3f, {}});
            ch.selected = int(it - ch.candidates.begin());
            candidate.label += path.letters[i];
            candidate.children.push_back(std::move(ch));
        }
        (path.known && path.letters.size() >= leastJoined ? known : cut).push_back(std::move(candidate));
    }
    auto byScore = [](const ResultCandidate &a, const ResultCandidate &b) { return a.score > b.score; };
    std::stable_sort(known.begin(), known.end(), byScore);
    std::stable_sort(cut.begin(), cut.end(), byScore);
    known.insert(known.end(), word.candidates.begin(), word.candidates.end());
    known.insert(known.end(), cut.begin(), cut.end());
    word.candidates.clear();
    for (ResultCandidate &c : known) {
        const bool seen = std::any_of(word.candidates.begin(), word.candidates.end(),
                                      [&](const ResultCandidate &o) { return o.label == c.label; });
        if (!seen)
            word.candidates.push_back(std::move(c));
    }
    if (word.candidates.size() > size_t(std::max(m_limits.words, 1)))
        word.candidates.resize(size_t(std::max(m_limits.words, 1)));
    return word;
}

ResultSegment TextBuilder::separator(const char *label)
{
    ResultSegment s;
    ResultCandidate c{label, 1.0f, {}};
    ResultSegment ch;
    ch.candidates.push_back({label, 1.0f, {}});
    c.children.push_back(ch);
    s.candidates.push_back(std::move(c));
    return s;
}

void TextBuilder::addText(ResultTree &tree, std::vector<ResultSegment> words) const
{
    if (words.empty())
        return;
    ResultCandidate best{{}, 0, std::move(words)};
    float sum = 0;
    for (const ResultSegment &w : best.children) {
        best.label += w.candidates[size_t(w.selected)].label;
        sum += w.candidates[size_t(w.selected)].score;
    }
    best.score = sum / float(best.children.size());
    tree.text.candidates.push_back(best);
    // Alternatives: the best text with one word replaced by its second candidate.
    for (size_t i = 0; i < best.children.size() && int(tree.text.candidates.size()) < m_limits.text;
         ++i) {
        if (best.children[i].candidates.size() < 2)
            continue;
        ResultCandidate alt = best;
        alt.children[i].selected = 1;
        alt.label.clear();
        for (const ResultSegment &w : alt.children)
            alt.label += w.candidates[size_t(w.selected)].label;
        alt.score = best.score * 0.9f;
        tree.text.candidates.push_back(std::move(alt));
    }
}

void TextBuilder::addMetrics(ResultTree &tree, const LineGroup &line) const
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const WordGroup &w : line.words)
        for (const CharacterGroup &g : w) {
            InkBox b = groupBox(g);
            double x = (b.left + b.right) / 2, y = b.bottom;
            n += 1;
            sx += x;
            sy += y;
            sxx += x * x;
            sxy += x * y;
        }
    double d = n * sxx - sx * sx;
    double slope = (n > 1 && std::fabs(d) > 1e-9) ? (n * sxy - sx * sy) / d : 0;
    slope = std::clamp(slope, -0.5, 0.5);
    double intercept = n > 0 ? (sy - slope * sx) / n : 0;
    tree.lines.push_back({float(slope), float(intercept), line.height});
}

std::shared_ptr<ResultTree> TextBuilder::build(const InkInput &input, const Progress &progress) const
{
    auto tree = std::make_shared<ResultTree>();
    std::vector<ResultSegment> words;
    const auto &units = input.units();
    for (size_t u = 0; u < units.size(); ++u) {
        if (!progress(int(u), int(units.size())))
            return nullptr;
        std::vector<EntryRef> entries = entriesOf(units[u], int(u));
        if (entries.empty())
            continue;
        if (units[u].kind == ZK_UNIT_BOXED) {
            InkBox guide = units[u].hasGuide ? units[u].guide : InkBox();
            const InkBox ink = groupBox(entries);
            words.push_back(wordSegment({readGroup(entries, boxedSizes(guide, ink))}));
            continue;
        }
        Segmenter segmenter(m_context.isIdeographic());
        std::vector<LineGroup> lines = segmenter.split(entries);
        for (const LineGroup &line : lines) {
            if (!words.empty())
                words.push_back(separator("\n"));
            for (size_t w = 0; w < line.words.size(); ++w) {
                if (w > 0)
                    words.push_back(separator(" "));
                words.push_back(freeWord(line.words[w], line));
            }
            addMetrics(*tree, line);
        }
    }
    if (!progress(int(units.size()), int(units.size())))
        return nullptr;
    addText(*tree, std::move(words));
    return tree;
}

} // namespace zk
