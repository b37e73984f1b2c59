#pragma once

#include "engine/inkpoint.h"

#include <string>
#include <vector>

struct zinnia_recognizer_t;

namespace zk {

// Zinnia on its own, as a reference: raw ink in its box, the model's labels best first.
class BareZinnia
{
public:
    explicit BareZinnia(const std::string &modelPath);
    ~BareZinnia();
    BareZinnia(const BareZinnia &) = delete;
    BareZinnia &operator=(const BareZinnia &) = delete;

    bool isOpen() const { return m_open; }
    // Labels and the model's scores of up to count guesses.
    std::vector<std::pair<std::string, float>> classify(const InkStrokes &ink, const InkBox &box,
                                                        int count) const;

private:
    zinnia_recognizer_t *m_recognizer;
    bool m_open = false;
};

} // namespace zk
