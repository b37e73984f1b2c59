#include "calculator/solverwriteback.h"

#include "calculator/calcsegmenttypes.h"
#include "calculator/nodedivisionmultiplication.h"
#include "calculator/nodegroupparentheses.h"
#include "calculator/nodemessage.h"
#include "calculator/nodenumber.h"
#include "calculator/nodepowerroot.h"
#include "calculator/numberformat.h"

#include <QCoreApplication>

#include <memory>

using ExpTree::Node;
using ExpTree::Value;

namespace {

const QString rootSign(QChar(0x221A));
const QString timesSign(QChar(0x00D7));

Segment composite(int type, const QList<Segment> &parts)
{
    ResultNode candidate;
    candidate.setType(type);
    Segment segment;
    for (const Segment &part : parts) {
        candidate.appendChild(part);
        segment.addInk(part.ink());
    }
    segment.appendCandidate(candidate);
    segment.setSelectedCandidate(0);
    return segment;
}

bool strokeWithin(const InkRange &ink, int position, const QList<Stroke> &strokes)
{
    return position >= 0 && position < strokes.size()
           && ink.contains(InkRange::fromStroke(strokes[position]));
}

QString translated(const QString &message)
{
    return QCoreApplication::translate("CalcSolver", message.toUtf8().constData());
}

// A "?" whose second candidate, left unselected, tells what went wrong.
Segment errorSymbol(const QString &message, bool typed, WriteBackContext &context)
{
    Segment mark = makeSymbolSegment(QStringLiteral("?"), context.addedInk);
    ResultNode explanation;
    explanation.setLabel(translated(message));
    if (typed)
        explanation.setType(CalcSymbol);
    mark.appendCandidate(explanation);
    return mark;
}

// The user's recognised characters of a number; a malformed one is
// followed by a "?" that explains it.
Segment writeWrittenNumber(const Node *node, WriteBackContext &context)
{
    QList<Segment> parts;
    Segment last;
    bool first = true;
    for (const int position : node->sourcePositions) {
        const Segment symbol = symbolOfStroke(position, context.symbols, context.strokes);
        const QString label = symbol.selectedCandidate().label();
        if (first && (label == QLatin1String(",") || label == QLatin1String(".")))
            parts << makeSymbolSegment(QStringLiteral("0"), context.addedInk);
        first = false;
        if (!symbol.ink().isEmpty() && !(parts.size() > 0 && symbol == last)) {
            parts << symbol;
            last = symbol;
        }
    }
    if (node->error != Value::InvalidInput)
        return composite(CalcRow, parts);
    parts << errorSymbol(solverMessage(Value::InvalidInput), false, context);
    const Segment number = composite(CalcRow, parts);
    context.errorInk = context.errorInk.united(number.ink());
    return number;
}

// A value in scientific form: mantissa × 10 to the power of the exponent.
Segment writeScientific(const QString &text, WriteBackContext &context)
{
    const QStringList parts = text.split('E');
    auto product = std::make_unique<ExpTree::NodeDivisionMultiplication>(false, false);
    product->appendChild(new ExpTree::NodeMessage(parts.value(0)));
    auto *power = new ExpTree::NodePowerRoot(false, false);
    power->appendChild(new ExpTree::NodeNumber(false, 10.0, false));
    power->appendChild(new ExpTree::NodeNumber(false, parts.value(1).toDouble(), false));
    product->appendChild(power);
    return writeSolvedTree(product.get(), context);
}

// What the solver found or added: a value, a message or an error mark.
Segment writeValue(const Node *node, WriteBackContext &context)
{
    QString text;
    node->writeToken(text, context.decimals, false);
    if (context.separator == QLatin1String("."))
        text.replace(',', '.');
    else if (context.separator == QLatin1String(","))
        text.replace('.', ',');
    Segment value;
    if (node->error != Value::NoError) {
        value = errorSymbol(text, true, context);
        context.errorInk = context.errorInk.united(value.ink());
    } else if (text.contains('E')) {
        value = writeScientific(text, context);
    } else {
        value = makeSymbolSegment(text, context.addedInk);
    }
    context.lastValueInk = value.ink();
    return value;
}

// An exponent or a radicand of more than one term keeps brackets, added
// when the user wrote none, so that the written text still means what was
// solved.
bool keepsAddedBrackets(const Node *group)
{
    const Node *parent = group->parent;
    const Node *content = group->children.value(0);
    return parent && parent->kind == Node::PowerRoot && parent->children.value(0) != group
           && content && !content->children.isEmpty() && !content->isGroup();
}

Segment writeGroup(const Node *node, WriteBackContext &context)
{
    const auto *group = static_cast<const ExpTree::NodeGroupParentheses *>(node);
    const Node *content = group->children.value(0);
    if (!group->fromInk && !group->closedInInk && !keepsAddedBrackets(group))
        return content ? writeSolvedTree(content, context) : Segment();
    int cursor = 0;
    const Segment opening = group->fromInk
                                ? writeSign(group, context, QStringLiteral("("), cursor)
                                : makeSymbolSegment(QStringLiteral("("), context.addedInk);
    const Segment inside = content ? writeSolvedTree(content, context) : Segment();
    const Segment closing = group->closedInInk
                                ? writeSign(group, context, QStringLiteral(")"), cursor)
                                : makeSymbolSegment(QStringLiteral(")"), context.addedInk);
    return composite(CalcGroup, {opening, inside, closing});
}

Segment writePowerRoot(const Node *node, WriteBackContext &context)
{
    if (!node->variant) {
        QList<Segment> parts;
        for (const Node *child : node->children)
            parts << writeSolvedTree(child, context);
        return composite(CalcPower, parts);
    }
    int cursor = 0;
    const Segment sign = writeSign(node, context, rootSign, cursor);
    const Node *radicand = node->children.value(1);
    return composite(CalcSquareRoot,
                     {sign, radicand ? writeSolvedTree(radicand, context) : Segment()});
}

Segment writeNegation(const Node *node, WriteBackContext &context)
{
    int cursor = 0;
    const Segment sign = writeSign(node, context, QStringLiteral("-"), cursor);
    const Node *operand = node->children.value(0);
    return composite(CalcRow, {sign, operand ? writeSolvedTree(operand, context) : Segment()});
}

} // namespace

Segment writeSolvedTree(const Node *node, WriteBackContext &context)
{
    switch (node->kind) {
    case Node::Equality:
        return writeOperator(node, context, QStringLiteral("="), CalcRow);
    case Node::DivisionMultiplication:
        return writeOperator(node, context, node->variant ? QStringLiteral("/") : timesSign,
                             CalcRow);
    case Node::AdditionSubtraction:
        return writeOperator(node, context, node->variant ? QStringLiteral("-")
                                                          : QStringLiteral("+"),
                             CalcRow);
    case Node::Fraction:
        return writeOperator(node, context, QStringLiteral("-"), CalcFraction);
    case Node::PowerRoot:
        return writePowerRoot(node, context);
    case Node::UnaryNegation:
        return writeNegation(node, context);
    case Node::ClosedGroup:
    case Node::Group:
    case Node::OpenGroup:
        return writeGroup(node, context);
    case Node::Message:
    case Node::Number:
        if (!node->sourcePositions.isEmpty())
            return writeWrittenNumber(node, context);
        return writeValue(node, context);
    default:
        return writeValue(node, context);
    }
}

Segment writeOperator(const Node *node, WriteBackContext &context, const QString &symbol,
                      int type)
{
    QList<Segment> parts;
    int cursor = 0;
    for (int i = 0; i < node->children.size(); ++i) {
        parts << writeSolvedTree(node->children[i], context);
        if (i + 1 < node->children.size())
            parts << writeSign(node, context, symbol, cursor);
    }
    return composite(type, parts);
}

Segment writeSign(const Node *node, WriteBackContext &context, const QString &symbol, int &cursor)
{
    const QList<int> &positions = node->sourcePositions;
    if (positions.isEmpty())
        return symbol.isEmpty() ? Segment() : makeSymbolSegment(symbol, context.addedInk);
    if (cursor >= positions.size())
        return Segment();
    Segment sign = symbolOfStroke(positions[cursor], context.symbols, context.strokes);
    while (sign.ink().isEmpty()) {
        if (++cursor >= positions.size())
            return sign;
        sign = symbolOfStroke(positions[cursor], context.symbols, context.strokes);
    }
    const InkRange ink = sign.ink();
    do {
        ++cursor;
    } while (cursor < positions.size() && strokeWithin(ink, positions[cursor], context.strokes));
    return sign;
}

Segment makeSymbolSegment(const QString &text, InkRange &accumulator)
{
    ResultNode candidate;
    candidate.setType(CalcSymbol);
    candidate.setLabel(text);
    Segment symbol;
    symbol.appendCandidate(candidate);
    symbol.setSelectedCandidate(0);
    symbol.setInk(InkRange::fromStroke(makePointRowStroke(1)));
    accumulator = accumulator.united(symbol.ink());
    return symbol;
}

Segment symbolOfStroke(int position, const QList<Segment> &symbols, const QList<Stroke> &strokes)
{
    if (position < 0 || position >= strokes.size())
        return Segment();
    const InkRange stroke = InkRange::fromStroke(strokes[position]);
    for (const Segment &symbol : symbols) {
        if (symbol.ink().intersects(stroke))
            return symbol;
    }
    return Segment();
}
