#pragma once

#include "tessel/parseobject.h"

#include <memory>
#include <vector>

namespace tessel {

// The cheapest parse objects of one symbol over one region, sorted by cost.
class Result
{
public:
    static constexpr int kCapacity = 20;

    Result();
    Result(const Result &) = delete;
    Result &operator=(const Result &) = delete;

    int count() const { return int(m_objects.size()); }
    bool isEmpty() const { return m_objects.empty(); }
    const ParseObject &object(int i) const { return *m_objects[size_t(i)]; }
    const ParseObject &best() const { return *m_objects.front(); }
    double worst() const { return m_worst; }
    bool accepts(double cost) const { return cost < m_worst; }
    bool isBeingParsed() const { return state == Running; }

    // Stores a copy; near-duplicates of the new object are replaced or make it redundant.
    void insertCandidate(const ParseObject &object, bool skipEquivalent);
    static bool sameGeometry(const ParseObject &a, const ParseObject &b);

    enum State { Pending, Running, Done };
    State state = Pending;

private:
    std::vector<std::unique_ptr<ParseObject>> m_objects;
    double m_worst;
};

}
