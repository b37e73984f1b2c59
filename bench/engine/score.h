#pragma once

#include <string>
#include <vector>

// Top-1, top-5 and case-folded top-1 counts of a set of readings, with their times.
class Score
{
public:
    void add(const std::vector<std::string> &got, const std::string &want, double ms);
    void merge(const Score &other);

    int total() const { return m_total; }
    int top1() const { return m_top1; }
    int top5() const { return m_top5; }
    int folded1() const { return m_folded1; }
    // The median time; only when there are readings.
    double medianMs() const;

private:
    int m_total = 0;
    int m_top1 = 0;
    int m_top5 = 0;
    int m_folded1 = 0;
    std::vector<double> m_ms;
};
