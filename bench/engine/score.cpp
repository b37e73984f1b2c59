#include "score.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

// Characters that look alike in isolation: one class each for the folded figure.
std::string folded(std::string s)
{
    for (char &c : s) {
        if (std::strchr("lI1|", c))
            c = 'l';
        else if (std::strchr("oO0", c))
            c = 'o';
        else if (std::strchr("cosuvwxzCOSUVWXZ", c))
            c = char(std::tolower(uint8_t(c)));
    }
    return s;
}

} // namespace

void Score::add(const std::vector<std::string> &got, const std::string &want, double ms)
{
    ++m_total;
    m_top1 += !got.empty() && got[0] == want;
    m_folded1 += !got.empty() && folded(got[0]) == folded(want);
    const auto end = got.begin() + long(std::min<size_t>(5, got.size()));
    m_top5 += std::find(got.begin(), end, want) != end;
    m_ms.push_back(ms);
}

void Score::merge(const Score &other)
{
    m_total += other.m_total;
    m_top1 += other.m_top1;
    m_top5 += other.m_top5;
    m_folded1 += other.m_folded1;
    m_ms.insert(m_ms.end(), other.m_ms.begin(), other.m_ms.end());
}

double Score::medianMs() const
{
    std::vector<double> sorted = m_ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}
