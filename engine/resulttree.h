#pragma once

#include "engine/zkengine.h"

#include <memory>
#include <string>
#include <vector>

namespace zk {

struct ResultSegment;

struct ResultCandidate {
    std::string label;
    float score = 0;
    std::vector<ResultSegment> children;
};

struct ResultSegment {
    std::vector<zkInkRecord> ink;
    std::vector<ResultCandidate> candidates;
    int selected = 0;
};

// The result of one run: the text segment (its candidates hold words, which hold characters)
// and the baselines of its lines.
struct ResultTree {
    ResultSegment text;
    std::vector<zkLineMetrics> lines;
};

using ResultTreePtr = std::shared_ptr<const ResultTree>;

} // namespace zk
