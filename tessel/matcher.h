#pragma once

#include "tessel/templatematch.h"

#include <vector>

namespace tessel {

class Canvas;
class Ink;
class Stroke;

// Scores ink against a selection of built-in templates by elastic alignment.
class Matcher
{
public:
    // Selects, word by word, every template whose name equals the word.
    explicit Matcher(const char *description);

    void clearInk() { m_ink.clear(); }
    void addInk(const Stroke &stroke) { m_ink.push_back(&stroke); }
    void matchTemplates(int maxMatches);
    const std::vector<TemplateMatch> &matches() const { return m_matches; }

    // Distance between the ink under test and a template ink; DBL_MAX when no fit exists.
    double scoreTemplate(const Ink &templateInk, double &scale, double &tx, double &ty, bool reversed);

    // A chart of the whole template library in a row: guide lines at y = -1 and y = 0, each
    // entry's width and height shaded behind its ink.
    static void draw(Canvas &canvas);

private:
    struct Sums;
    struct Cell
    {
        double cost;
        int step;
    };

    double alignStroke(const Stroke &shape, const Stroke &ink, double scale, double tx, double ty, double gap,
                       Sums &sums);
    void insertMatch(const TemplateMatch &match, int maxMatches);

    std::vector<int> m_selection;
    std::vector<const Stroke *> m_ink;
    std::vector<Cell> m_table;
    std::vector<TemplateMatch> m_matches;
};

}
