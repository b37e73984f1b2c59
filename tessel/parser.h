#pragma once

#include "tessel/region.h"
#include "tessel/result.h"
#include "tessel/rule.h"
#include "tessel/strokerecord.h"
#include "tessel/weights.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tessel {

// Memoised top-down parser of a two-dimensional grammar over sets of strokes.
class Parser
{
public:
    enum Order { ByX, ByY, ByXMinusY, ByXPlusY, ByLeft, OrderCount };

    Parser();
    ~Parser();
    Parser(const Parser &) = delete;
    Parser &operator=(const Parser &) = delete;

    int createSymbol();
    int symbolCount() const { return int(m_symbols.size()); }
    bool isSymbol(int symbol) const { return symbol >= 0 && symbol < symbolCount(); }
    void setStartSymbol(int symbol) { m_start = symbol; }
    void addRuleToSymbol(int lhs, std::unique_ptr<Rule> rule);

    Weights &weights() { return m_weights; }

    void addStroke(const Stroke &stroke);
    const StrokeRecord &strokeRecord(int stroke) const { return m_strokes[size_t(stroke)]; }
    const Box &strokeBox(int stroke) const { return m_strokes[size_t(stroke)].box; }

    Result *run();
    void clear();

    // The memoised result of a symbol over a region; an empty result for an unknown
    // symbol or a cell that is being parsed further up (a grammar cycle).
    Result &parseSymbolRegion(int symbol, const Region &region);

    // Pushes the region's strokes in the given order on the scratch stack; returns the mark.
    int orderRegionStrokes(Order order, const Region &region);
    int scratchStroke(int position) const { return m_scratch[size_t(position)]; }
    void truncateScratch(int mark) { m_scratch.resize(size_t(mark)); }

private:
    struct WordsHash
    {
        size_t operator()(const std::vector<uint32_t> &words) const;
    };
    struct MemoEntry
    {
        Region region;
        std::unique_ptr<Result[]> cells;
        int cellCount = 0;
    };

    void sortOrders();

    std::vector<std::vector<std::unique_ptr<Rule>>> m_symbols;
    int m_start = -1;
    std::unordered_map<std::vector<uint32_t>, MemoEntry, WordsHash> m_memo;
    std::vector<StrokeRecord> m_strokes;
    Region m_full;
    std::vector<int> m_scratch;
    std::array<std::vector<int>, OrderCount> m_orders;
    Weights m_weights;
    Result m_empty;
    bool m_running = false;
};

}
