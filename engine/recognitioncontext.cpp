#include "engine/recognitioncontext.h"

#include "engine/candidateranking.h"
#include "engine/charsetobject.h"
#include "engine/knowledgeobject.h"
#include "engine/lexiconobject.h"
#include "engine/resourceobject.h"
#include "engine/strokeform.h"

#include <algorithm>
#include <cctype>

namespace zk {

namespace {

const float dotShare = 0.15f;  // ink smaller than this share of a character may be a dot
const float dotAbsolute = 6.0f; // without a reference size
const float tinyShare = 0.5f;   // of the dot size: too small to be anything but a dot

// The marks small ink stands for, most likely first: full-width ones in ideographic text.
Guesses stopsFor(bool ideographic)
{
    if (ideographic)
        return {{"\xE3\x80\x82", 0.9f}, {"\xE3\x80\x81", 0.3f}, {".", 0.2f}, {",", 0.1f}};
    return {{".", 0.9f}, {",", 0.3f}};
}

// Letters whose small and capital forms differ only in size.
const std::string sizeOnly = "cosuvwxz";
// Ink lower than this share of a character is small: lower case is at most 2/3 of a
// capital's height, and writers vary a letter's height by about a fifth.
const float smallShare = 0.8f;

// For a guess of a size-only letter, the form that fits the ink's height ("" for other
// guesses); small ink first read as a zero is a small o, as digits stand as tall as
// capitals. Without a height to go by, the small form, far more common in text.
std::string formBySize(const std::string &label, float relativeHeight, bool first)
{
    if (label.size() != 1)
        return {};
    const bool known = relativeHeight > 0;
    const bool small = !known || relativeHeight < smallShare;
    const bool zero = label[0] == '0' && first && known && small;
    char lower = zero ? 'o' : char(std::tolower(uint8_t(label[0])));
    if (sizeOnly.find(lower) == std::string::npos)
        return {};
    return std::string(1, small ? lower : char(std::toupper(uint8_t(lower))));
}

bool isLetter(const Guess &guess)
{
    return guess.label.size() == 1 && std::isalpha(uint8_t(guess.label[0]));
}

// In a line, digits stand as tall as capitals: small ink read as a digit is the best letter
// guess ("o" written as a closed loop reads as "8").
void lettersWhenSmall(Guesses &guesses, float relativeHeight)
{
    if (!(relativeHeight > 0) || relativeHeight >= smallShare || guesses.empty()
        || guesses[0].label.size() != 1 || !std::isdigit(uint8_t(guesses[0].label[0])))
        return;
    auto letter = std::find_if(guesses.begin(), guesses.end(), isLetter);
    if (letter != guesses.end())
        std::rotate(guesses.begin(), letter, letter + 1);
}

bool isSymbol(const std::string &label)
{
    return label.size() == 1 && std::ispunct(uint8_t(label[0]));
}

// Marks of text that come from the ink's size (a dot), not from a model's symbols.
bool isStop(const std::string &label)
{
    return label == "." || label == "," || label == "\xE3\x80\x82" || label == "\xE3\x80\x81";
}

// Small ink that is not tiny is a dot unless the model takes it for a character (a letter,
// a digit, a kana): the stops go behind the leading guesses the model believes.
void placeStops(Guesses &guesses, const Guesses &stops)
{
    auto believed = [](const Guess &g) {
        return g.margin > 0 && !isStop(g.label) && !isSymbol(g.label);
    };
    auto at = std::find_if_not(guesses.begin(), guesses.end(), believed);
    const float score = at == guesses.begin() ? 1.0f : std::prev(at)->score;
    Guesses marks;
    for (const Guess &stop : stops)
        if (std::none_of(guesses.begin(), at, [&](const Guess &g) { return g.label == stop.label; }))
            marks.push_back({stop.label, stop.score * score, 0});
    guesses.erase(std::remove_if(at, guesses.end(), [](const Guess &g) { return isStop(g.label); }),
                  guesses.end());
    guesses.insert(at, marks.begin(), marks.end());
}

// Letters are far more common in text than symbols: a symbol ranks ahead of a letter only
// when the model takes the ink for it and prefers it by more than this margin.
const float symbolPrior = 1.0f;

// Moves each symbol from position from on behind the letters (and digits, in text) that it
// does not clearly beat.
void preferLetters(Guesses &guesses, size_t from, bool digitsToo)
{
    auto holds = [&](const Guess &g) {
        const bool digit = g.label.size() == 1 && std::isdigit(uint8_t(g.label[0]));
        return isLetter(g) || (digitsToo && digit);
    };
    if (from >= guesses.size())
        return;
    Guesses ranked(guesses.begin(), guesses.begin() + long(from)), waiting;
    for (auto it = guesses.begin() + long(from); it != guesses.end(); ++it) {
        if (isSymbol(it->label) && !isStop(it->label)) {
            waiting.push_back(*it);
            continue;
        }
        // The waiting symbols that this guess does not hold back go first.
        auto beaten = [&](const Guess &s) {
            return s.margin <= 0 || s.margin - symbolPrior <= it->margin;
        };
        auto held = holds(*it) ? std::find_if(waiting.begin(), waiting.end(), beaten)
                               : waiting.end();
        ranked.insert(ranked.end(), waiting.begin(), held);
        waiting.erase(waiting.begin(), held);
        ranked.push_back(*it);
    }
    ranked.insert(ranked.end(), waiting.begin(), waiting.end());
    guesses = std::move(ranked);
}

// A user's resource reads by the user's own samples when it holds them, else by its model.
Guesses userGuesses(const ResourceObject &r, const InkStrokes &ink, const InkBox &square, int count)
{
    if (const TemplateClassifier *templates = r.templateClassifier())
        return templates->classify(ink, count);
    return r.classifier()->classify(ink, square, count);
}

} // namespace

RecognitionContext::RecognitionContext(const std::vector<std::shared_ptr<EngineObject>> &resources,
                                       std::shared_ptr<const CharsetObject> charset)
    : m_charset(std::move(charset))
{
    for (const auto &object : resources) {
        if (auto r = std::dynamic_pointer_cast<const ResourceObject>(object)) {
            if (r->kind == ResourceObject::Words)
                m_words.insert(r->words.begin(), r->words.end());
            if (r->kind == ResourceObject::Symbols)
                m_symbols.insert(r->words.begin(), r->words.end());
            m_gestures = m_gestures || r->kind == ResourceObject::Gestures;
            const bool user = r->flags & ResourceObject::User;
            if (r->classifier() || (user && r->templateClassifier())) {
                (user ? m_user : m_base).push_back(r);
                m_ideographic = m_ideographic || (r->flags & ResourceObject::Ideographic);
            }
        } else if (auto l = std::dynamic_pointer_cast<const LexiconObject>(object)) {
            m_words.insert(l->words().begin(), l->words().end());
        } else if (auto k = std::dynamic_pointer_cast<const KnowledgeObject>(object)) {
            m_extra.insert(k->entries().begin(), k->entries().end());
        }
    }
}

bool RecognitionContext::allowed(const std::string &label) const
{
    if (m_extra.count(label))
        return true;
    if (!m_symbols.empty() && !m_symbols.count(label))
        return false;

    return !m_charset || m_charset->accepts(label);
}

void RecognitionContext::merge(Guesses &out, const Guesses &more) const
{
    for (const Guess &g : more) {
        bool known = std::any_of(out.begin(), out.end(),
                                 [&](const Guess &o) { return o.label == g.label; });
        if (!known && allowed(g.label))
            out.push_back(g);
    }
}

void RecognitionContext::rankBySize(Guesses &guesses, float relativeHeight) const
{
    for (size_t i = 0; i < guesses.size(); ++i) {
        const std::string wanted = formBySize(guesses[i].label, relativeHeight, i == 0);
        if (wanted.empty() || wanted == guesses[i].label)
            continue;
        const auto at = guesses.begin() + long(i);
        auto it = std::find_if(guesses.begin(), guesses.end(),
                               [&](const Guess &g) { return g.label == wanted; });
        if (it < at)
            continue;
        if (it != guesses.end())
            std::rotate(at, it, it + 1);
        else if (!allowed(wanted))
            continue;
        else if (i == 0 || !(relativeHeight > 0)) // same shape, so as likely
            guesses.insert(at, {wanted, at->score, at->margin});
        else // further down, the size rules the other form out
            at->label = wanted;
    }
}

Guesses RecognitionContext::read(const InkStrokes &ink, const SizeCue &size, int count) const
{
    Guesses out;
    InkBox box = boundingBox(ink);
    float extent = std::max(box.width(), box.height());
    float dot = size.full > 0 ? size.full * dotShare : dotAbsolute;
    const bool small = !ink.empty() && extent <= dot;
    Guesses stops;
    if (small)
        merge(stops, stopsFor(m_ideographic));
    if (!stops.empty() && extent <= tinyShare * dot)
        return stops;
    InkBox square = StrokeForm::squareAround(ink);
    Guesses user, base;
    std::set<std::string> confident;
    for (const auto &r : m_user)
        for (const Guess &g : userGuesses(*r, ink, square, count)) {
            user.push_back(g);
            if (g.margin > 0)
                confident.insert(g.label);
        }
    // A boxed character of a text model is a symbol only where the configuration's symbols
    // ask for one; free writing mixes some in.
    const bool textSymbols = size.inLine || !m_symbols.empty();
    for (const auto &r : m_base) {
        Guesses more = r->classifier()->classify(ink, square, count);
        if (!textSymbols && r->name == ResourceObject::textModelName)
            more.erase(std::remove_if(more.begin(), more.end(),
                                      [](const Guess &g) { return isSymbol(g.label) && !isStop(g.label); }),
                       more.end());
        base.insert(base.end(), more.begin(), more.end());
    }
    merge(out, CandidateRanking::merged(user, base));
    size_t userFirst = 0;
    while (userFirst < out.size() && confident.count(out[userFirst].label))
        ++userFirst;
    preferLetters(out, userFirst, m_symbols.empty()); // the user's own confident guesses stay first
    const float relativeHeight = size.capital > 0 ? box.height() / size.capital : 0;
    if (size.inLine)
        lettersWhenSmall(out, relativeHeight);
    if (userFirst == 0 || relativeHeight > 0) // without a height, the user's own form stands
        rankBySize(out, relativeHeight);
    if (m_ideographic)
        CandidateRanking::preferListed(out, m_words, userFirst);
    if (!stops.empty())
        placeStops(out, stops);
    if (out.size() > size_t(count))
        out.resize(size_t(count));
    for (size_t i = 1; i < out.size(); ++i) // scores follow the ranking
        out[i].score = std::min(out[i].score, out[i - 1].score * 0.99f);
    return out;
}

} // namespace zk
