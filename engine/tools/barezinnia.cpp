#include "barezinnia.h"

#include <zinnia.h>

namespace zk {

BareZinnia::BareZinnia(const std::string &modelPath)
    : m_recognizer(zinnia_recognizer_new())
{
    m_open = zinnia_recognizer_open(m_recognizer, modelPath.c_str());
}

BareZinnia::~BareZinnia()
{
    zinnia_recognizer_destroy(m_recognizer);
}

std::vector<std::pair<std::string, float>> BareZinnia::classify(const InkStrokes &ink,
                                                                const InkBox &box, int count) const
{
    std::vector<std::pair<std::string, float>> out;
    if (!m_open || ink.empty() || !box.isValid())
        return out;
    zinnia_character_t *character = zinnia_character_new();
    zinnia_character_set_width(character, size_t(box.width()));
    zinnia_character_set_height(character, size_t(box.height()));
    for (size_t id = 0; id < ink.size(); ++id)
        for (const InkPoint &p : ink[id])
            zinnia_character_add(character, id, int(p.x - box.left), int(p.y - box.top));
    if (zinnia_result_t *result = zinnia_recognizer_classify(m_recognizer, character, size_t(count))) {
        for (size_t i = 0; i < zinnia_result_size(result); ++i)
            out.push_back({zinnia_result_value(result, i), zinnia_result_score(result, i)});
        zinnia_result_destroy(result);
    }
    zinnia_character_destroy(character);
    return out;
}

} // namespace zk
