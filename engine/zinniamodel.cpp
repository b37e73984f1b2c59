#include "engine/zinniamodel.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
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
bool take(std::string_view bytes, size_t &pos, T &value)
{
    if (bytes.size() - pos < sizeof(T))
        return false;
    std::memcpy(&value, bytes.data() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

void node(std::string_view bytes, size_t pos, int32_t &index, float &weight)
{
    std::memcpy(&index, bytes.data() + pos, 4);
    std::memcpy(&weight, bytes.data() + pos + 4, 4);
}

template <class Visit>
void forEachNode(std::string_view bytes, const std::vector<ClassEntry> &entries, Visit visit)
{
    for (uint32_t c = 0; c < entries.size(); ++c) {
        for (size_t k = 0, pos = entries[c].nodes; k < entries[c].count; ++k, pos += nodeSize) {
            int32_t index = 0;
            float weight = 0;
            node(bytes, pos, index, weight);
            visit(c, index, weight);
        }
    }
}

// A number per feature index: a table for indices as small as Zinnia's features give, a hash
// map beyond.
class ColumnNumbers
{
public:
    explicit ColumnNumbers(int32_t maxIndex)
    {
        if (maxIndex < tableLimit)
            m_table.assign(size_t(maxIndex) + 1, 0);
    }

    uint32_t &operator[](int32_t index)
    {
        return m_table.empty() ? m_map[index] : m_table[size_t(index)];
    }

    // Visits the indices that have a number, ascending.
    template <class Visit>
    void forEachAscending(Visit visit)
    {
        if (!m_table.empty()) {
            for (size_t i = 0; i < m_table.size(); ++i) {
                if (m_table[i])
                    visit(int32_t(i), m_table[i]);
            }
            return;
        }
        std::vector<int32_t> keys;
        keys.reserve(m_map.size());
        for (const auto &entry : m_map)
            keys.push_back(entry.first);
        std::sort(keys.begin(), keys.end());
        for (int32_t key : keys)
            visit(key, m_map[key]);
    }

private:
    static const int32_t tableLimit = 1 << 22;
    std::vector<uint32_t> m_table;
    std::unordered_map<int32_t, uint32_t> m_map;
};

struct DenseTerm {
    const float *weights; // one per class
    float value;
};

#if defined(__GNUC__) && defined(__x86_64__)
#define ZK_WIDE_DENSE
// The same sums as addDense, eight classes at a time.
__attribute__((target("avx2"))) size_t addDenseWide(double *sums, size_t classes,
                                                     const std::vector<DenseTerm> &terms)
{
    size_t c = 0;
    for (; c + 8 <= classes; c += 8) {
        __m256d low = _mm256_loadu_pd(sums + c), high = _mm256_loadu_pd(sums + c + 4);
        for (const DenseTerm &t : terms) {
            const __m256 p = _mm256_mul_ps(_mm256_loadu_ps(t.weights + c), _mm256_set1_ps(t.value));
            low = _mm256_add_pd(low, _mm256_cvtps_pd(_mm256_castps256_ps128(p)));
            high = _mm256_add_pd(high, _mm256_cvtps_pd(_mm256_extractf128_ps(p, 1)));
        }
        _mm256_storeu_pd(sums + c, low);
        _mm256_storeu_pd(sums + c + 4, high);
    }
    return c;
}
#endif

// Adds the terms to every class's sum in their order, each product rounded to float first.
void addDense(double *sums, size_t classes, const std::vector<DenseTerm> &terms)
{
    if (terms.empty())
        return;
    size_t c = 0;
#ifdef ZK_WIDE_DENSE
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide)
        c = addDenseWide(sums, classes, terms);
#endif
#ifdef __SSE2__
    for (; c + 4 <= classes; c += 4) {
        __m128d low = _mm_loadu_pd(sums + c), high = _mm_loadu_pd(sums + c + 2);
        for (const DenseTerm &t : terms) {
            const __m128 p = _mm_mul_ps(_mm_loadu_ps(t.weights + c), _mm_set1_ps(t.value));
            low = _mm_add_pd(low, _mm_cvtps_pd(p));
            high = _mm_add_pd(high, _mm_cvtps_pd(_mm_movehl_ps(p, p)));
        }
        _mm_storeu_pd(sums + c, low);
        _mm_storeu_pd(sums + c + 2, high);
    }
#endif
    for (; c < classes; ++c) {
        double sum = sums[c];
        for (const DenseTerm &t : terms)
            sum += double(t.weights[c] * t.value);
        sums[c] = sum;
    }
}

std::mutex cacheMutex;

// Indices of the models in use, by their whole bytes or their file's identity; a key that only
// summed the bytes could hand one model's index to another.
std::map<std::string, std::weak_ptr<const ZinniaModel>> &cache()
{
    static std::map<std::string, std::weak_ptr<const ZinniaModel>> models;
    return models;
}

std::string bytesKey(const std::string &bytes)
{
    return "bytes " + bytes;
}

std::string fileKey(const std::string &path)
{
    struct stat s {};
    if (::stat(path.c_str(), &s) != 0)
        return std::string();
    return "file " + std::to_string(s.st_size) + ' ' + std::to_string(s.st_mtim.tv_sec) + '.'
           + std::to_string(s.st_mtim.tv_nsec) + ' ' + path;
}

// A model file mapped for reading while its index is built.
class MappedFile
{
public:
    explicit MappedFile(const std::string &path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat s {};
        if (::fstat(fd, &s) == 0 && s.st_size > 0 && uint64_t(s.st_size) <= UINT32_MAX) {
            void *data = ::mmap(nullptr, size_t(s.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED)
                m_bytes = std::string_view(static_cast<const char *>(data), size_t(s.st_size));
        }
        ::close(fd);
    }
    ~MappedFile()
    {
        if (!m_bytes.empty())
            ::munmap(const_cast<char *>(m_bytes.data()), m_bytes.size());
    }
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;

    std::string_view bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

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
        const MappedFile file(path);
        std::shared_ptr<ZinniaModel> model(new ZinniaModel);
        return !file.bytes().empty() && model->read(file.bytes()) ? model : nullptr;
    });
}

bool ZinniaModel::read(std::string_view bytes)
{
    size_t pos = 0;
    uint32_t magic = 0, version = 0, classes = 0;
    if (!take(bytes, pos, magic) || !take(bytes, pos, version) || !take(bytes, pos, classes))
        return false;
    if ((magic ^ magicId) != bytes.size() || version != modelVersion || classes == 0
        || classes > (bytes.size() - pos) / leastClassSize)
        return false;

    // First pass: check every class.
    std::vector<ClassEntry> entries(classes);
    m_labels.resize(classes);
    m_bias.resize(classes);
    int32_t maxIndex = 0;
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
            ++entries[c].count;
        }
        maxIndex = std::max(maxIndex, previous);
    }
    if (pos != bytes.size())
        return false;

    // Then count the classes of each feature index, and lay out the columns: dense for the
    // indices that most classes weigh, class lists for the rest.
    ColumnNumbers numbers(maxIndex);
    forEachNode(bytes, entries, [&numbers](uint32_t, int32_t index, float) { ++numbers[index]; });
    uint32_t dense = 0, sparse = 0;
    numbers.forEachAscending([&](int32_t index, uint32_t &number) {
        const uint32_t count = number;
        const bool isDense = uint64_t(count) * 2 >= classes;
        uint32_t &next = isDense ? dense : sparse;
        number = uint32_t(m_columns.size());
        m_columns.push_back({index, isDense, next, next + (isDense ? classes : count)});
        next = m_columns.back().end;
    });
    m_dense.assign(dense, 0.0f);
    m_classes.resize(sparse);
    m_weights.resize(sparse);
    std::vector<uint32_t> filled(m_columns.size(), 0);
    forEachNode(bytes, entries, [&](uint32_t c, int32_t index, float weight) {
        const uint32_t number = numbers[index];
        const Column &col = m_columns[number];
        if (col.dense) {
            m_dense[col.begin + c] = weight;
        } else {
            const uint32_t at = col.begin + filled[number]++;
            m_classes[at] = c;
            m_weights[at] = weight;
        }
    });
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
    std::vector<DenseTerm> run; // consecutive dense columns, added in one pass
    int previous = INT_MIN;
    for (const ZinniaFeatures::Feature &f : features.features()) {
        if (f.index < 0)
            break; // as in Zinnia, whose merge ends at a negative index
        if (f.index == previous)
            continue;
        previous = f.index;
        const Column *col = column(f.index);
        if (!col)
            continue;
        if (col->dense) {
            run.push_back({m_dense.data() + col->begin, f.value});
            continue;
        }
        addDense(sums.data(), classes, run);
        run.clear();
        for (uint32_t k = col->begin; k < col->end; ++k)
            sums[m_classes[k]] += double(m_weights[k] * f.value);
    }
    addDense(sums.data(), classes, run);
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
