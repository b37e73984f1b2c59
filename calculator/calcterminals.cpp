#include "calculator/calcterminals.h"

#include <QChar>

#include <cmath>

namespace {

const QChar Pi(0x03C0);
const QChar Times(0x00D7);
const QChar Divide(0x00F7);
const QChar Root(0x221A);

// The union of the boxes before index i.
QRectF unionBefore(const QList<QRectF> &boxes, int i)
{
    QRectF u;
    for (int j = 0; j < i; ++j)
        u = u.united(boxes.at(j));
    return u;
}

// A later stroke that stays in the left three quarters of what came before is no overbar.
bool isNoRootSign(const QList<QRectF> &boxes)
{
    for (int i = 1; i < boxes.size(); ++i) {
        const QRectF u = unionBefore(boxes, i);
        const QRectF s = boxes.at(i);
        if (u.left() <= s.left() && s.right() < u.right() - u.width() / 4)
            return true;
    }
    return false;
}

// A small last stroke low beside a digit is a separate mark (a decimal point), not part of it.
bool endsWithMark(const QString &label, const QList<QRectF> &boxes)
{
    const int n = int(boxes.size());
    const QRectF u = unionBefore(boxes, n - 1);
    const QRectF s = boxes.last();
    if (qMax(s.width(), s.height()) >= 100)
        return false;
    if (label == QLatin1String("4") && n <= 2)
        return false;
    const bool small = s.width() < u.width() / 3 && s.height() < u.width() / 3;
    if (label != QLatin1String("1") && !small)
        return false;
    return s.top() > u.top() + 0.6 * u.height();
}

} // namespace

QString mapEngineLabel(const QString &label, const QString &decimalSeparator)
{
    static const QList<QPair<QString, QString>> pairs = {
        {QString(Pi), QStringLiteral("\\pi")},
        {QString(Times), QStringLiteral("\\mult")},
        {QString(Divide), QStringLiteral("\\div")},
        {QString(Root), QStringLiteral("\\sqrt")},
    };
    for (const auto &pair : pairs) {
        if (label == pair.first)
            return pair.second;
        if (label == pair.second)
            return pair.first;
    }
    if (label == QLatin1String(".") && decimalSeparator == QLatin1String(","))
        return QStringLiteral(",");
    if (label == QLatin1String(",") && decimalSeparator == QLatin1String("."))
        return QStringLiteral(".");
    return label;
}

TerminalGeometry terminalGeometry(QString &label, const QRectF &box,
                                  const QString &decimalSeparator)
{
    const double y0 = box.y();
    const double w = box.width();
    const double ht = box.height();
    TerminalGeometry g;
    g.y = y0 + ht * 0.5;
    g.h = ht;
    if ((label.size() == 1 && label.at(0).isLetterOrNumber()) || label == QLatin1String("?")) {
        g = {y0 + ht, ht * 0.5, TerminalClass::Plain, TerminalKind::Alphanumeric};
    } else if (label == QLatin1String("+") || label == QString(Times)
               || label == QString(Divide)) {
        g = {y0 + ht, (ht + ht) / 3, TerminalClass::Plain, TerminalKind::Operator};
    } else if (label == QLatin1String("/")) {
        g = {y0 + ht, ht * 0.5, TerminalClass::Plain, TerminalKind::Other};
    } else if (label == QLatin1String("=")) {
        g = {y0, ht, TerminalClass::Shrinkable, TerminalKind::Other};
    } else if (label == QLatin1String("-")) {
        g = {y0 + ht * 0.5, w * 4 / 5, TerminalClass::ThinCentred, TerminalKind::Other};
    } else if (label == QLatin1String(".")) {
        g = {y0 + ht * 0.5, ht * 4, TerminalClass::ThinBaseline, TerminalKind::Other};
    } else if (label == QLatin1String(",")) {
        g = {y0 + ht * 0.5, ht + ht, TerminalClass::ThinBaseline, TerminalKind::Other};
    } else if (label == QLatin1String("(") || label == QLatin1String(")")) {
        g = {y0 + ht * 0.5, ht / 3, TerminalClass::Stretchable, TerminalKind::Other};
    } else if (label == QString(Root)) {
        g = {y0 + ht - ht / 6, ht / 3, TerminalClass::Plain, TerminalKind::Other};
    }
    label = mapEngineLabel(label, decimalSeparator);
    return g;
}

double terminalCost(double score, double unitValue, int strokeCount)
{
    const double q = std::sqrt(score * unitValue);
    const double c = q > 0 ? -std::log(qMin(q, 1.0)) : 1000.0;
    return c * 0.3 * strokeCount;
}

bool rejectsTerminal(const QString &engineLabel, const TerminalRegion &region, double *cost)
{
    const QList<QRectF> &boxes = region.strokeBoxes;
    const int n = int(boxes.size());
    if (engineLabel == QString(Divide)) {
        if (region.smallestExtent > 100)
            return true;
        *cost += 0.25;
    }
    if (engineLabel == QString(Root) && n > 1 && isNoRootSign(boxes))
        return true;
    if (!engineLabel.isEmpty() && engineLabel.back().isDigit() && n > 1
        && endsWithMark(engineLabel, boxes))
        return true;
    return false;
}
