#include "engine/characterclassifier.h"

#include "engine/strokeform.h"

#include <zinnia.h>

#include <cmath>

namespace zk {

namespace {

const float temperature = 0.15f; // spreads Zinnia's margins into probabilities
const size_t maxPointsPerStroke = 400;
// Boxed models learnt from ink given by its corners: boxed ink is cut down to the points
// that keep its shape within this distance (square units), dropping tremor and curve detail.
const float boxedTolerance = 60.0f;

} // namespace

struct CharacterClassifier::Model {
    zinnia_recognizer_t *recognizer = zinnia_recognizer_new();
    ~Model() { zinnia_recognizer_destroy(recognizer); }
};

CharacterClassifier::CharacterClassifier()
    : m_model(new Model)
{
}

CharacterClassifier::~CharacterClassifier() = default;

bool CharacterClassifier::openBytes(const std::string &bytes, Shaping shaping)
{
    m_shaping = shaping;
    m_open = !bytes.empty()
             && zinnia_recognizer_open_from_ptr(m_model->recognizer, bytes.data(), bytes.size());
    return m_open;
}

bool CharacterClassifier::openFile(const std::string &path, Shaping shaping)
{
    m_shaping = shaping;
    m_open = zinnia_recognizer_open(m_model->recognizer, path.c_str());
    return m_open;
}

Guesses CharacterClassifier::classify(const InkStrokes &ink, const InkBox &box, int count) const
{
    Guesses guesses;
    if (!m_open || ink.empty() || count <= 0)
        return guesses;
    InkStrokes shaped = m_shaping == Canonical
                            ? StrokeForm::canonical(ink)
                            : StrokeForm::simplified(StrokeForm::inBox(ink, box), boxedTolerance);
    zinnia_character_t *character = zinnia_character_new();
    zinnia_character_set_width(character, size_t(StrokeForm::side));
    zinnia_character_set_height(character, size_t(StrokeForm::side));
    size_t id = 0;
    for (const InkStroke &s : shaped) {
        size_t step = s.size() > maxPointsPerStroke ? s.size() / maxPointsPerStroke + 1 : 1;
        for (size_t i = 0; i < s.size(); i += step)
            zinnia_character_add(character, id, int(s[i].x), int(s[i].y));
        ++id;
    }
    zinnia_result_t *result = zinnia_recognizer_classify(m_model->recognizer, character,
                                                         size_t(count));
    if (result) {
        size_t n = zinnia_result_size(result);
        float best = n ? zinnia_result_score(result, 0) : 0;
        float sum = 0;
        for (size_t i = 0; i < n; ++i) {
            float p = std::exp((zinnia_result_score(result, i) - best) / temperature);
            guesses.push_back({zinnia_result_value(result, i), p, zinnia_result_score(result, i)});
            sum += p;
        }
        float top = 1.0f / (1.0f + std::exp(-best / temperature * 0.5f)); // confidence
        for (Guess &g : guesses)
            g.score = std::max(1e-6f, g.score / sum * top);
        zinnia_result_destroy(result);
    }
    zinnia_character_destroy(character);
    return guesses;
}

} // namespace zk
