#pragma once

#include "engine/zinniafeatures.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

// A binary Zinnia model held as an inverted index: for each feature index, the classes that
// weigh it, so that a character costs a sum over its own features instead of a walk through
// every class's weights. Scores, their order and ties come out as Zinnia's own.
class ZinniaModel
{
public:
    struct Score {
        std::string label;
        float score;
    };

    // Null when the bytes are not a well-formed model. Models with the same bytes or the same
    // unchanged file share one index while any user holds it.
    static std::shared_ptr<const ZinniaModel> fromBytes(const std::string &bytes);
    static std::shared_ptr<const ZinniaModel> fromFile(const std::string &path);

    size_t classCount() const { return m_labels.size(); }
    // The best count classes, best first; empty when the features are invalid.
    std::vector<Score> classify(const ZinniaFeatures &features, size_t count) const;

    ZinniaModel(const ZinniaModel &) = delete;
    ZinniaModel &operator=(const ZinniaModel &) = delete;

private:
    // A feature index's weights: dense over all classes, or sparse (class, weight) pairs.
    struct Column {
        int index;
        bool dense;
        uint32_t begin;
        uint32_t end;
    };

    ZinniaModel() = default;
    bool read(std::string_view bytes);
    const Column *column(int index) const;

    std::vector<std::string> m_labels;
    std::vector<float> m_bias;
    std::vector<Column> m_columns; // ascending by index
    std::vector<float> m_dense;    // dense columns, one weight per class each
    std::vector<uint32_t> m_classes;
    std::vector<float> m_weights;  // parallel to m_classes
};

} // namespace zk
