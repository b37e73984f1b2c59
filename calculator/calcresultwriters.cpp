#include "calculator/calcresultwriters.h"

#include "calculator/calcresultparts.h"
#include "calculator/calcsegmenttypes.h"
#include "model/calcoutputmode.h"
#include "model/resultbuilding.h"
#include "model/segmentwalk.h"

namespace {

const QString Times(QChar(0x00D7));
const QString Pi(QChar(0x03C0));

QList<Segment> partsOf(const Segment &segment)
{
    return segment.selectedCandidate().children();
}

void walk(const Segment &part, SegmentVisitor writer, CalcWriterContext *c)
{
    visitSegments(part, 0, writer, c);
}

// A part that a following operator would split: a row of several items, a fraction or a
// power. A single symbol and a bracketed group stand alone.
bool needsBrackets(const Segment &part)
{
    const ResultNode node = part.selectedCandidate();
    switch (node.type()) {
    case CalcRow:
        return node.children().size() > 1;
    case CalcFraction:
    case CalcPower:
    case CalcSquareRoot:
        return true;
    default:
        return false;
    }
}

// The part in brackets when it needs them; inside, no further brackets are added for rows.
void walkBracketed(const Segment &part, SegmentVisitor writer, CalcWriterContext *c)
{
    if (!needsBrackets(part)) {
        walk(part, writer, c);
        return;
    }
    const bool group = c->group;
    const bool fractionPart = c->fractionPart;
    c->group = true;
    c->fractionPart = false;
    c->text += QLatin1Char('(');
    walk(part, writer, c);
    c->text += QLatin1Char(')');
    c->group = group;
    c->fractionPart = fractionPart;
}

void writeRow(const Segment &segment, SegmentVisitor writer, CalcWriterContext *c,
              bool stopAtEquals)
{
    const QList<Segment> parts = partsOf(segment);
    const bool brackets = !c->group && c->fractionPart && parts.size() > 1;
    if (brackets)
        c->text += QLatin1Char('(');
    for (const Segment &part : parts) {
        if (stopAtEquals && part.selectedCandidate().label() == QLatin1String("="))
            c->ended = true;
        if (c->ended)
            break;
        walk(part, writer, c);
    }
    if (brackets)
        c->text += QLatin1Char(')');
}

void writeFractionPart(const Segment &part, SegmentVisitor writer, CalcWriterContext *c)
{
    if (partsOf(part).size() > 1)
        c->fractionPart = true;
    walk(part, writer, c);
    c->fractionPart = false;
}

void writeFraction(const Segment &segment, SegmentVisitor writer, CalcWriterContext *c)
{
    const QList<Segment> parts = partsOf(segment);
    const bool group = c->group;
    const bool fractionPart = c->fractionPart;
    const bool brackets = fractionPart && !group;
    c->group = false;
    if (brackets)
        c->text += QLatin1Char('(');
    writeFractionPart(parts.value(0), writer, c);
    c->text += QLatin1Char('/');
    writeFractionPart(parts.value(2), writer, c);
    c->group = group;
    if (brackets)
        c->text += QLatin1Char(')');
    c->fractionPart = fractionPart;
}

void writeGroup(const Segment &segment, SegmentVisitor writer, CalcWriterContext *c)
{
    c->group = true;
    for (const Segment &part : partsOf(segment))
        walk(part, writer, c);
    c->group = false;
}

void writePower(const Segment &segment, SegmentVisitor writer, CalcWriterContext *c)
{
    const QList<Segment> parts = partsOf(segment);
    walk(parts.value(0), writer, c);
    c->text += QLatin1Char('^');
    walkBracketed(parts.value(1), writer, c);
}

void line(CalcWriterContext *c, const QString &text)
{
    c->text += QString(c->indent, QLatin1Char(' ')) + text + QLatin1Char('\n');
}

void open(CalcWriterContext *c, const char *tag)
{
    line(c, QLatin1String(tag));
    ++c->indent;
}

void close(CalcWriterContext *c, const char *tag)
{
    --c->indent;
    line(c, QLatin1String(tag));
}

void writeMathMLRow(const Segment &part, CalcWriterContext *c)
{
    open(c, "<mrow>");
    walk(part, writeMathML, c);
    close(c, "</mrow>");
}

void writeMathMLSymbol(const QString &label, CalcWriterContext *c)
{
    if (label == QLatin1String("/"))
        return;
    if (label == QLatin1String("-") || label == QLatin1String("+") || label == QLatin1String("="))
        line(c, QStringLiteral("<mo>%1</mo>").arg(label));
    else if (label == Pi)
        line(c, QStringLiteral("<mi>&#x3C0;<!-- &pi; --></mi>"));
    else if (label == Times)
        line(c, QStringLiteral("<mi mathvariant=\"normal\">&#xD7;<!-- &times; --></mi>"));
    else
        line(c, QStringLiteral("<mn>%1</mn>").arg(label.toHtmlEscaped()));
}

QString writeAnswer(const RecognitionResult &result)
{
    const InkRange answer = result.cachedInk(CalcAnswerInk);
    if (answer.isEmpty())
        return QString();
    CalcWriterContext c;
    for (const Segment &part : collectResultSegments(result.root(), answer))
        walk(resultFromSegment(part).root(), writePlainText, &c);
    return c.text;
}

} // namespace

Segment writePlainText(Segment *, int, const Segment &segment, void *context)
{
    auto *c = static_cast<CalcWriterContext *>(context);
    const QList<Segment> parts = partsOf(segment);
    switch (segment.selectedCandidate().type()) {
    case CalcSymbol:
        c->text += segment.selectedCandidate().label();
        break;
    case CalcRow:
        writeRow(segment, writePlainText, c, false);
        break;
    case CalcGroup:
        writeGroup(segment, writePlainText, c);
        break;
    case CalcPower:
        writePower(segment, writePlainText, c);
        break;
    case CalcFraction:
        writeFraction(segment, writePlainText, c);
        break;
    case CalcSquareRoot:
        walk(parts.value(0), writePlainText, c);
        walkBracketed(parts.value(1), writePlainText, c);
        break;
    default:
        break;
    }
    return segment;
}

Segment writeSpreadsheetFormula(Segment *, int, const Segment &segment, void *context)
{
    auto *c = static_cast<CalcWriterContext *>(context);
    if (c->ended)
        return segment;
    const QString label = segment.selectedCandidate().label();
    switch (segment.selectedCandidate().type()) {
    case CalcSymbol:
        c->text += label == Times ? QStringLiteral("*") : label == Pi ? QStringLiteral("PI()") : label;
        break;
    case CalcRow:
        writeRow(segment, writeSpreadsheetFormula, c, true);
        break;
    case CalcGroup:
        writeGroup(segment, writeSpreadsheetFormula, c);
        break;
    case CalcPower:
        writePower(segment, writeSpreadsheetFormula, c);
        break;
    case CalcFraction:
        writeFraction(segment, writeSpreadsheetFormula, c);
        break;
    case CalcSquareRoot:
        c->text += QStringLiteral("SQRT(");
        c->group = true;
        walk(partsOf(segment).value(1), writeSpreadsheetFormula, c);
        c->text += QLatin1Char(')');
        c->group = false;
        break;
    default:
        break;
    }
    return segment;
}

Segment writeMathML(Segment *, int, const Segment &segment, void *context)
{
    auto *c = static_cast<CalcWriterContext *>(context);
    const QList<Segment> parts = partsOf(segment);
    switch (segment.selectedCandidate().type()) {
    case CalcSymbol:
        writeMathMLSymbol(segment.selectedCandidate().label(), c);
        break;
    case CalcRow:
    case CalcGroup:
        for (const Segment &part : parts)
            walk(part, writeMathML, c);
        break;
    case CalcPower:
        open(c, "<msup>");
        writeMathMLRow(parts.value(0), c);
        writeMathMLRow(parts.value(1), c);
        close(c, "</msup>");
        break;
    case CalcFraction:
        open(c, "<mfrac>");
        writeMathMLRow(parts.value(0), c);
        writeMathMLRow(parts.value(2), c);
        close(c, "</mfrac>");
        break;
    case CalcSquareRoot:
        open(c, "<msqrt>");
        walk(parts.value(1), writeMathML, c);
        close(c, "</msqrt>");
        break;
    default:
        break;
    }
    return segment;
}

QString formatCalcResult(const RecognitionResult &result, int mode)
{
    CalcWriterContext c;
    switch (CalcOutputMode(mode)) {
    case CalcOutputMode::ResultOnly:
        return writeAnswer(result);
    case CalcOutputMode::Spreadsheet:
        walk(result.root(), writeSpreadsheetFormula, &c);
        break;
    case CalcOutputMode::Html:
        c.indent = 3;
        walk(result.root(), writeMathML, &c);
        break;
    case CalcOutputMode::Text:
        walk(result.root(), writePlainText, &c);
        break;
    default:
        break;
    }
    return c.text;
}
