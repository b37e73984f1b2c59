#pragma once

#include "engine/resourceholder.h"
#include "engine/resulttree.h"
#include "engine/textbuilder.h"

#include <memory>
#include <vector>

namespace zk {

class CharsetObject;
class InkInput;

// A recognizer (types 302 and 303): runs its bound input through its resources.
class RecognizerObject : public ResourceHolder
{
public:
    explicit RecognizerObject(uint32_t type);

    void bind(std::shared_ptr<InkInput> input) { m_input = std::move(input); }
    bool setProperty(uint32_t property, const void *value, uint32_t size);
    bool run(zkProgressFn progress, void *context, std::shared_ptr<const CharsetObject> charset);
    const ResultTreePtr &result() const { return m_result; }

private:
    std::shared_ptr<InkInput> m_input;
    CandidateLimits m_limits;
    ResultTreePtr m_result;
};

} // namespace zk
