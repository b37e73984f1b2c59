#include "engine/characterclassifier.h"

#include "engine/strokeform.h"

#include "engine/zinniafeatures.h"
#include "engine/zinniamodel.h"

#include <cmath>

namespace zk {

namespace {

const float temperature = 0.15f; // spreads Zinnia's margins into probabilities
const size_t maxPointsPerStroke = 400;
// Boxed models learnt from ink given by its corners: boxed ink is cut down to the points
// that keep its shape within this distance (square units), dropping tremor and curve detail.
const float boxedTolerance = 60.0f;

} // namespace

CharacterClassifier::CharacterClassifier() = default;

CharacterClassifier::~CharacterClassifier() = default;

bool CharacterClassifier::openBytes(const std::string &bytes, Shaping shaping)
{
    m_shaping = shaping;
    m_model = ZinniaModel::fromBytes(bytes);
    m_open = m_model != nullptr;
    return m_open;
}

bool CharacterClassifier::openFile(const std::string &path, Shaping shaping)
{
    m_shaping = shaping;
    m_model = ZinniaModel::fromFile(path);
    m_open = m_model != nullptr;
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
    std::vector<ZinniaFeatures::Stroke> strokes;
    for (const InkStroke &s : shaped) {
        strokes.emplace_back();
        size_t step = s.size() > maxPointsPerStroke ? s.size() / maxPointsPerStroke + 1 : 1;
        for (size_t i = 0; i < s.size(); i += step)
            strokes.back().push_back({int(s[i].x), int(s[i].y)});
    }
    while (!strokes.empty() && strokes.back().empty())
        strokes.pop_back();
    const size_t side = size_t(StrokeForm::side);
    const std::vector<ZinniaModel::Score> scores
        = m_model->classify(ZinniaFeatures(strokes, side, side), size_t(count));
    const float best = scores.empty() ? 0 : scores.front().score;
    float sum = 0;
    for (const ZinniaModel::Score &s : scores) {
        float p = std::exp((s.score - best) / temperature);
        guesses.push_back({s.label, p, s.score});
        sum += p;
    }
    float top = 1.0f / (1.0f + std::exp(-best / temperature * 0.5f)); // confidence
    for (Guess &g : guesses)
        g.score = std::max(1e-6f, g.score / sum * top);
    return guesses;
}

} // namespace zk
