#include "tessel/parser.h"

#include <algorithm>
#include <functional>

namespace tessel {

Parser::Parser()
{
    m_empty.state = Result::Done;
}

Parser::~Parser()
{
    clear();
    while (!m_symbols.empty()) {
        auto &rules = m_symbols.back();
        while (!rules.empty())
            rules.pop_back();
        m_symbols.pop_back();
    }
}

size_t Parser::WordsHash::operator()(const std::vector<uint32_t> &words) const
{
    uint32_t x = 0;
    for (uint32_t w : words)
        x ^= w;
    return std::hash<uint32_t>()(x * 0x9E3779B1u);
}

int Parser::createSymbol()
{
    m_symbols.emplace_back();
    return symbolCount() - 1;
}

void Parser::addRuleToSymbol(int lhs, std::unique_ptr<Rule> rule)
{
    if (isSymbol(lhs))
        m_symbols[size_t(lhs)].push_back(std::move(rule));
}

// A stroke without usable points keeps its index but takes no part in parsing.
void Parser::addStroke(const Stroke &stroke)
{
    if (m_running)
        return;
    m_strokes.emplace_back(stroke);
    const int index = int(m_strokes.size()) - 1;
    if (m_strokes.back().hasInk())
        m_full.addStroke(index, m_strokes.back().box);
}

Result *Parser::run()
{
    if (!isSymbol(m_start) || m_full.strokeCount() == 0)
        return &m_empty;
    if (m_running)
        return &m_empty;
    sortOrders();
    m_running = true;
    Result &result = parseSymbolRegion(m_start, m_full);
    m_running = false;
    return &result;
}

void Parser::sortOrders()
{
    const int n = int(m_strokes.size());
    for (auto &order : m_orders) {
        order.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            order[size_t(i)] = i;
    }
    const auto sortBy = [this](Order order, auto key) {
        std::stable_sort(m_orders[order].begin(), m_orders[order].end(),
                         [&](int a, int b) { return key(m_strokes[size_t(a)]) < key(m_strokes[size_t(b)]); });
    };
    sortBy(ByX, [](const StrokeRecord &s) { return s.centroid.x; });
    sortBy(ByY, [](const StrokeRecord &s) { return s.centroid.y; });
    sortBy(ByXMinusY, [](const StrokeRecord &s) { return s.centroid.x - s.centroid.y; });
    sortBy(ByXPlusY, [](const StrokeRecord &s) { return s.centroid.x + s.centroid.y; });
    sortBy(ByLeft, [](const StrokeRecord &s) { return s.box.minX; });
}

// Strokes and results stay while a run is under way: its rules still read them.
void Parser::clear()
{
    if (m_running)
        return;
    m_memo.clear();
    m_memo.rehash(0);
    m_strokes.clear();
    m_full.clear();
    m_scratch.clear();
}

Result &Parser::parseSymbolRegion(int symbol, const Region &region)
{
    auto it = m_memo.find(region.words());
    if (it == m_memo.end()) {
        it = m_memo.emplace(region.words(), MemoEntry()).first;
        it->second.region = region;
    }
    MemoEntry &entry = it->second;
    if (!entry.cells) {
        entry.cellCount = symbolCount();
        entry.cells.reset(new Result[size_t(entry.cellCount)]);
    }
    if (symbol < 0 || symbol >= entry.cellCount)
        return m_empty;
    Result &cell = entry.cells[size_t(symbol)];
    if (cell.state == Result::Done)
        return cell;
    if (cell.state == Result::Running)
        return m_empty;
    cell.state = Result::Running;
    // A callback may add symbols and rules meanwhile: the rule list is looked up anew each time.
    for (size_t i = 0; i < m_symbols[size_t(symbol)].size(); ++i)
        m_symbols[size_t(symbol)][i]->apply(*this, cell, entry.region);
    cell.state = Result::Done;
    return cell;
}

int Parser::orderRegionStrokes(Order order, const Region &region)
{
    const int mark = int(m_scratch.size());
    for (int s : m_orders[order]) {
        if (region.contains(s))
            m_scratch.push_back(s);
    }
    return mark;
}

}
