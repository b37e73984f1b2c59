#include "model/respacing.h"

#include "model/charclasses.h"
#include "model/resultbuilding.h"

namespace {

bool isSeparator(const Segment &word)
{
    const ResultNode c = word.selectedCandidate();
    return c.isSpace() || c.isNewLine();
}

bool isDroppableEnd(const Segment &word)
{
    return word.ink().isEmpty() || isSeparator(word);
}

// The ink of one typed point, standing for text written without ink.
InkRange typedInk()
{
    return InkRange::fromStroke(makePointRowStroke(1));
}

Segment replacementWord(const QString &label, const InkRange &ink)
{
    ResultNode node;
    node.setLabel(label);
    Segment character;
    character.appendCandidate(node);
    character.setSelectedCandidate(0);
    character.setInk(ink);
    return promoteSegment(character);
}

bool holdsStandAloneCharacter(const Segment &word)
{
    for (const Segment &character : word.selectedCandidate().children()) {
        if (character.selectedCandidate().wordFlag() & 1)
            return true;
    }
    return false;
}

// One pass over the words of a result.
class Respacer
{
public:
    explicit Respacer(RespaceOptions options) : m_options(options) {}

    QList<Segment> run(QList<Segment> words)
    {
        trimEnds(words);
        for (const Segment &word : words)
            visit(word);
        appendTrailingSpace(words.isEmpty());
        for (int position : m_removals) {
            if (position >= 0 && position < m_output.size())
                m_output.removeAt(position);
        }
        return m_output;
    }

    bool changed() const { return m_changed; }

private:
    bool has(RespaceOption option) const { return m_options.testFlag(option); }
    bool changesSeparatorInk() const { return has(TypeSeparatorInk) || has(StripSeparatorInk); }
    InkRange madeSpaceInk() const { return has(TypeSeparatorInk) ? typedInk() : InkRange(); }

    void trimEnds(QList<Segment> &words)
    {
        while (has(DropLeading) && !words.isEmpty() && isDroppableEnd(words.first())) {
            words.removeFirst();
            m_changed = true;
        }
        while (has(DropTrailing) && !words.isEmpty() && isDroppableEnd(words.last())) {
            words.removeLast();
            m_changed = true;
        }
    }

    void replace(Segment &word, const QString &label, const InkRange &ink)
    {
        word = replacementWord(label, ink);
        m_changed = true;
    }

    // The position a later removal takes out; the counter follows the
    // output as it will be once the removals are done.
    void recordRemoval(int position)
    {
        m_removals << position;
        --m_counter;
        m_changed = true;
    }

    void visit(Segment word)
    {
        const bool separator = isSeparator(word);
        if (separator)
            collapse(word);
        m_previousDropped = false;
        if (separator)
            fixSeparatorInk(word);
        if (word.selectedCandidate().isNewLine() && has(NewLinesToSpaces) && changesSeparatorInk())
            convertNewLine(word);
        const QString label = convertSingleCharacter(word);
        append(word, label);
        m_previousSeparator = separator;
        if (!label.isEmpty())
            m_previousEndsNoHangulEastAsian = isCharOfClass(label.back(), EastAsianNoHangulClass);
    }

    // A space after a separator goes; a new line after a separator takes
    // the separator's place.
    void collapse(const Segment &separator)
    {
        if (!has(CollapseSeparators) || !m_previousSeparator)
            return;
        if (separator.selectedCandidate().isSpace())
            recordRemoval(m_counter);
        else if (!m_previousDropped)
            recordRemoval(m_counter - 1);
    }

    void convertNewLine(Segment &word)
    {
        if (m_previousEndsNoHangulEastAsian) {
            recordRemoval(m_counter);
            m_previousDropped = true;
        } else {
            replace(word, QStringLiteral(" "), madeSpaceInk());
        }
    }

    void fixSeparatorInk(Segment &word)
    {
        const QString label = word.selectedCandidate().label();
        if (has(TypeSeparatorInk) && word.ink().isEmpty())
            replace(word, label, typedInk());
        else if (has(StripSeparatorInk) && !word.ink().isEmpty())
            replace(word, label, InkRange());
    }

    // Mirrors a bracket and widens punctuation after CJK text; returns the
    // word's label as it then stands.
    QString convertSingleCharacter(Segment &word)
    {
        QString label = word.selectedCandidate().label();
        if (has(MirrorBrackets) && label.size() == 1 && isBracket(label[0])) {
            label = mirroredBracket(label[0]);
            replace(word, label, word.ink());
        }
        if (has(WidenPunctuation) && !label.isEmpty()) {
            if (m_previousEndsEastAsian && label.size() == 1
                && isCharOfClass(label[0], AsciiPunctuationClass)) {
                label = toggleCharWidth(label[0]);
                replace(word, label, word.ink());
            }
            m_previousEndsEastAsian = isCharOfClass(label.back(), EastAsianClass);
        }
        return label;
    }

    void append(const Segment &word, const QString &label)
    {
        if (has(SplitStandAloneCharacters)) {
            if (label.isEmpty()) {
                m_changed = true;
                return;
            }
            if (holdsStandAloneCharacter(word)) {
                const QList<Segment> characters = word.selectedCandidate().children();
                for (const Segment &character : characters)
                    m_output << promoteSegment(character);
                m_counter += characters.size();
                m_changed = true;
                return;
            }
        }
        m_output << word;
        ++m_counter;
    }

    void appendTrailingSpace(bool noWords)
    {
        if (!has(EnsureTrailingSpace) || !changesSeparatorInk() || noWords || m_previousSeparator)
            return;
        m_output << replacementWord(QStringLiteral(" "), madeSpaceInk());
        m_changed = true;
    }

    const RespaceOptions m_options;
    bool m_changed = false;
    QList<Segment> m_output;
    int m_counter = 0;
    QList<int> m_removals;
    bool m_previousSeparator = false;
    // A new line dropped after CJK text is no separator left to collapse:
    // the word before it in the output is not a separator.
    bool m_previousDropped = false;
    bool m_previousEndsNoHangulEastAsian = false;
    bool m_previousEndsEastAsian = true;
};

RecognitionResult resultOfWords(const QList<Segment> &words, const RecognitionResult &r)
{
    ResultNode node;
    node.setChildren(words);
    RecognitionResult result = resultFromNode(node);
    result.setTransform(r.transform());
    for (const TypedInk &entry : r.inkTypes())
        result.storeInkOfType(entry.first, entry.second);
    result.layout() = r.layout();
    const int lines = qMin(nonEmptyLineCount(result.root()), int(r.layout().linePositions.size()));
    result.layout().linePositions = r.layout().linePositions.mid(0, lines);
    return result;
}

} // namespace

RecognitionResult respaceResult(const RecognitionResult &r, RespaceOptions options)
{
    Respacer respacer(options);
    const QList<Segment> words = respacer.run(r.root().segmentsOfType(ResultNode::Word));
    return respacer.changed() ? resultOfWords(words, r) : r;
}
