#include "engine/zinniamodel.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace zk {

namespace {

const uint32_t magicId = 0xef71821; // Zinnia's model magic, xor-ed with the file size
const uint32_t modelVersion = 1;
const size_t labelSize = 16;
const size_t nodeSize = 8;          // int32 index, float weight
const size_t leastClassSize = labelSize + 4 + nodeSize;

struct ClassEntry {
    size_t nodes; // offset of the first weight node
    size_t count;
};

template <class T>
bool take(const std::string &bytes, size_t &pos, T &value)
{
    if (bytes.size() - pos < sizeof(T))
        return false;
    std::memcpy(&value, bytes.data() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

void node(const std::string &bytes, size_t pos, int32_t &index, float &weight)
{
    std::memcpy(&index, bytes.data() + pos, 4);
    std::memcpy(&weight, bytes.data() + pos + 4, 4);
}

std::mutex cacheMutex;

// Indices of the models in use, by their bytes' or their file's identity.
std::map<std::string, std::weak_ptr<const ZinniaModel>> &cache()
{
    static std::map<std::string, std::weak_ptr<const ZinniaModel>> models;
    return models;
}

std::string bytesKey(const std::string &bytes)
{
    return "bytes " + std::to_string(bytes.size()) + ' '
           + std::to_string(std::hash<std::string_view>()(bytes));
}

std::string fileKey(const std::string &path)
{
    struct stat s {};
    if (::stat(path.c_str(), &s) != 0)
        return std::string();
    return "file " + std::to_string(s.st_size) + ' ' + std::to_string(s.st_mtim.tv_sec) + '.'
           + std::to_string(s.st_mtim.tv_nsec) + ' ' + path;
}

bool readFile(const std::string &path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size <= 0 || uint64_t(size) > UINT32_MAX)
        return false;
    bytes.resize(size_t(size));
    in.seekg(0);
    return bool(in.read(&bytes[0], size));
}

template <class Load>
std::shared_ptr<const ZinniaModel> shared(const std::string &key, Load load)
{
    if (key.empty())
        return nullptr;
    std::lock_guard<std::mutex> lock(cacheMutex);
    auto &models = cache();
    if (auto model = models[key].lock())
        return model;
    std::shared_ptr<const ZinniaModel> model = load();
    for (auto it = models.begin(); it != models.end();)
        it = it->second.expired() ? models.erase(it) : std::next(it);
    if (model)
        models[key] = model;
    return model;
}

} // namespace

std::shared_ptr<const ZinniaModel> ZinniaModel::fromBytes(const std::string &bytes)
{
    return shared(bytesKey(bytes), [&bytes]() -> std::shared_ptr<const ZinniaModel> {
        std::shared_ptr<ZinniaModel> model(new ZinniaModel);
        return model->read(bytes) ? model : nullptr;
    });
}

std::shared_ptr<const ZinniaModel> ZinniaModel::fromFile(const std::string &path)
{
    return shared(fileKey(path), [&path]() -> std::shared_ptr<const ZinniaModel> {
        std::string bytes;
        std::shared_ptr<ZinniaModel> model(new ZinniaModel);
        return readFile(path, bytes) && model->read(bytes) ? model : nullptr;
    });
}

bool ZinniaModel::read(const std::string &bytes)
{
    size_t pos = 0;
    uint32_t magic = 0, version = 0, classes = 0;
    if (!take(bytes, pos, magic) || !take(bytes, pos, version) || !take(bytes, pos, classes))
        return false;
    if ((magic ^ magicId) != bytes.size() || version != modelVersion || classes == 0
        || classes > (bytes.size() - pos) / leastClassSize)
        return false;

    // First pass: check every class and count the weights of each feature index.
    std::vector<ClassEntry> entries(classes);
    std::unordered_map<int32_t, uint32_t> counts;
    m_labels.resize(classes);
    m_bias.resize(classes);
    for (uint32_t c = 0; c < classes; ++c) {
        if (bytes.size() - pos < labelSize + 4)
            return false;
        const char *label = bytes.data() + pos;
        const void *end = std::memchr(label, '\0', labelSize);
        if (!end)
            return false;
        m_labels[c].assign(label, static_cast<const char *>(end));
        pos += labelSize;
        take(bytes, pos, m_bias[c]);
        if (!std::isfinite(m_bias[c]))
            return false;
        entries[c].nodes = pos;
        int32_t previous = -1;
        for (;;) {
            int32_t index = 0;
            float weight = 0;
            if (bytes.size() - pos < nodeSize)
                return false;
            node(bytes, pos, index, weight);
            pos += nodeSize;
            if (index == -1)
                break;
            if (index <= previous || !std::isfinite(weight))
                return false; // Zinnia writes each class's indices ascending, once each
            previous = index;
            ++counts[index];
            ++entries[c].count;
        }
    }
    if (pos != bytes.size())
        return false;

    // Columns that most classes weigh are dense; the rest list their classes.
    m_columns.reserve(counts.size());
    uint32_t dense = 0, sparse = 0;
    for (const auto &[index, count] : counts) {
        bool isDense = uint64_t(count) * 2 >= classes;
        uint32_t &next = isDense ? dense : sparse;
        m_columns.push_back({index, isDense, next, next + (isDense ? classes : count)});
        next += isDense ? classes : count;
    }
    std::sort(m_columns.begin(), m_columns.end(),
              [](const Column &a, const Column &b) { return a.index < b.index; });
    m_dense.assign(dense, 0.0f);
    m_classes.resize(sparse);
    m_weights.resize(sparse);
    std::vector<uint32_t> filled(m_columns.size(), 0);
    for (uint32_t c = 0; c < classes; ++c) {
        for (size_t k = 0; k < entries[c].count; ++k) {
            int32_t index = 0;
            float weight = 0;
            node(bytes, entries[c].nodes + k * nodeSize, index, weight);
            const Column *col = column(index);
            size_t i = size_t(col - m_columns.data());
            if (col->dense) {
                m_dense[col->begin + c] = weight;
            } else {
                uint32_t at = col->begin + filled[i]++;
                m_classes[at] = c;
                m_weights[at] = weight;
            }
        }
    }
    return true;
}

const ZinniaModel::Column *ZinniaModel::column(int index) const
{
    auto it = std::lower_bound(m_columns.begin(), m_columns.end(), index,
                               [](const Column &c, int i) { return c.index < i; });
    return it != m_columns.end() && it->index == index ? &*it : nullptr;
}

std::vector<ZinniaModel::Score> ZinniaModel::classify(const ZinniaFeatures &features,
                                                      size_t count) const
{
    std::vector<Score> best;
    if (!features.isValid() || count == 0 || m_labels.empty())
        return best;
    const size_t classes = m_labels.size();
    // Each class's terms arrive in ascending index order and add up in double, as in
    // Zinnia's merge, so the sums are the same to the last bit.
    std::vector<double> sums(classes, 0.0);
    int previous = INT_MIN;
    for (const ZinniaFeatures::Feature &f : features.features()) {
        if (f.index == previous)
            continue;
        previous = f.index;
        const Column *col = column(f.index);
        if (!col)
            continue;
        if (col->dense) {
            const float *w = m_dense.data() + col->begin;
            for (size_t c = 0; c < classes; ++c)
                sums[c] += double(w[c] * f.value);
        } else {
            for (uint32_t k = col->begin; k < col->end; ++k)
                sums[m_classes[k]] += double(m_weights[k] * f.value);
        }
    }
    std::vector<float> scores(classes);
    for (size_t c = 0; c < classes; ++c)
        scores[c] = float(m_bias[c] + sums[c]);
    // Best first; a tie goes to the later class, as in Zinnia.
    std::vector<uint32_t> order(classes);
    std::iota(order.begin(), order.end(), 0u);
    count = std::min(count, classes);
    std::partial_sort(order.begin(), order.begin() + count, order.end(),
                      [&scores](uint32_t a, uint32_t b) {
                          return scores[a] != scores[b] ? scores[a] > scores[b] : a > b;
                      });
    best.reserve(count);
    for (size_t i = 0; i < count; ++i)
        best.push_back({m_labels[order[i]], scores[order[i]]});
    return best;
}

} // namespace zk
