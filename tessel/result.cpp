#include "tessel/result.h"

#include <cfloat>
#include <cmath>

namespace tessel {

namespace {

bool relativelyEqual(double u, double v)
{
    return std::fabs(u - v) * 65536.0 < std::fabs(u) + std::fabs(v);
}

}

Result::Result()
    : m_worst(DBL_MAX)
{
    m_objects.reserve(kCapacity);
}

bool Result::sameGeometry(const ParseObject &a, const ParseObject &b)
{
    return relativelyEqual(a.y, b.y) && relativelyEqual(a.h, b.h) && relativelyEqual(a.yw, b.yw)
            && relativelyEqual(a.hw, b.hw);
}

void Result::insertCandidate(const ParseObject &object, bool skipEquivalent)
{
    int p = count() - 1;
    while (p >= 0 && object.cost <= m_objects[size_t(p)]->cost) {
        if (!skipEquivalent && sameGeometry(*m_objects[size_t(p)], object)) {
            m_objects.erase(m_objects.begin() + p);
            m_worst = DBL_MAX;
        }
        --p;
    }
    if (!skipEquivalent) {
        for (int i = p; i >= 0; --i) {
            if (sameGeometry(*m_objects[size_t(i)], object))
                return;
        }
    }
    if (count() == kCapacity) {
        if (p + 1 >= kCapacity)
            return;
        m_objects.pop_back();
    }
    m_objects.emplace(m_objects.begin() + (p + 1), object.clone());
    if (count() == kCapacity)
        m_worst = m_objects.back()->cost;
}

}
