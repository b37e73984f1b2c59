#pragma once

#include "engine/recognitioncontext.h"
#include "engine/resulttree.h"
#include "engine/segmenter.h"

#include <functional>

namespace zk {

class InkInput;

struct CandidateLimits {
    int text = 1;
    int words = 5;
    int characters = 5;
};

// Recognizes the units of an input into a text -> word -> character tree.
class TextBuilder
{
public:
    using Progress = std::function<bool(int, int)>;

    TextBuilder(const RecognitionContext &context, const CandidateLimits &limits)
        : m_context(context)
        , m_limits(limits)
    {
    }

    // Null when the progress function stopped the run.
    std::shared_ptr<ResultTree> build(const InkInput &input, const Progress &progress) const;

private:
    struct CharacterRead {
        std::vector<zkInkRecord> ink;
        Guesses guesses;
    };

    CharacterRead readGroup(const CharacterGroup &group,
                            const RecognitionContext::SizeCue &size) const;
    // The characters of a word; neighbours that nearly touch (a letter written in two
    // strokes side by side, such as d or x) are read as one where the model takes the whole
    // for a letter, with more confidence than either part.
    std::vector<CharacterRead> readWord(const WordGroup &groups, const LineGroup &line) const;
    // Whether two neighbours read as one letter: the model takes the whole for a letter more
    // surely than either part; or, where the two are a whole word that the lexicon does not
    // know, reads the whole at least as surely as the weaker part.
    bool joinsAsOne(const CharacterRead &whole, const CharacterRead &left,
                    const CharacterRead &right, bool wholeWord) const;
    RecognitionContext::SizeCue lineSizes(const LineGroup &line) const;
    ResultSegment wordSegment(const std::vector<CharacterRead> &characters) const;
    // A free word: its characters as the segmenter groups them, and the paths through its
    // strokes cut where joined letters meet, the best of both first.
    ResultSegment freeWord(const WordGroup &groups, const LineGroup &line) const;
    static ResultSegment separator(const char *label);
    void addText(ResultTree &tree, std::vector<ResultSegment> words) const;
    void addMetrics(ResultTree &tree, const LineGroup &line) const;

    const RecognitionContext &m_context;
    CandidateLimits m_limits;
};

} // namespace zk
