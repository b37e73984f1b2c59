#pragma once

#include "engine/inkpoint.h"

#include <memory>
#include <string>
#include <vector>

namespace zk {

class ZinniaModel;

struct Guess {
    std::string label;
    float score = 0;  // probability-like, in (0, 1]
    float margin = 0; // the model's own score: above 0 when it takes the ink for this
};
using Guesses = std::vector<Guess>;

// A Zinnia model and the ink shaping it was trained with.
class CharacterClassifier
{
public:
    enum Shaping { Canonical, Boxed };

    CharacterClassifier();
    ~CharacterClassifier();
    CharacterClassifier(const CharacterClassifier &) = delete;
    CharacterClassifier &operator=(const CharacterClassifier &) = delete;

    bool openBytes(const std::string &bytes, Shaping shaping);
    bool openFile(const std::string &path, Shaping shaping);
    bool isOpen() const { return m_open; }

    Guesses classify(const InkStrokes &ink, const InkBox &box, int count) const;

private:
    std::shared_ptr<const ZinniaModel> m_model;
    Shaping m_shaping = Canonical;
    bool m_open = false;
};

} // namespace zk
