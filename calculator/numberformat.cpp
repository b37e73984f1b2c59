#include "calculator/numberformat.h"

#include <QCoreApplication>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

const QChar ellipsis(0x2026);

bool isExact(double written, double v)
{
    return std::fabs(written - v) / std::fabs(v) <= DBL_EPSILON;
}

// Trailing zeros go, then the decimal point.
void stripZeros(QString &s)
{
    while ((s.contains('.') || s.contains(','))
           && (s.endsWith('0') || s.endsWith('.') || s.endsWith(',')))
        s.chop(1);
}

QString fixedForm(double v, int decimals, double unit)
{
    QString s = QString::number(v, 'f', decimals);
    const double r = s.toDouble();
    if (isExact(r, v)) {
        stripZeros(s);
        return s;
    }
    if (r > 0.0 && r > v)
        s = QString::number(r - unit, 'f', decimals);
    else if (r < 0.0 && r < v)
        s = QString::number(r + unit, 'f', decimals);
    return s + ellipsis;
}

// The mantissa comes from fifteen significant digits, the precision a
// double holds, so that 1e-20 reads 1E-20 and not 9.999...E-21.
QString scientificForm(double v, int decimals)
{
    const int precision = DBL_DIG - 1;
    const QStringList parts = QString::number(v, 'E', precision).split('E');
    QString mantissa = parts.value(0);
    const QString exponent = parts.value(1);
    mantissa.chop(precision - std::min(decimals, precision));
    const double t = QString(mantissa + 'E' + exponent).toDouble();
    if (isExact(t, v)) {
        stripZeros(mantissa);
        return mantissa + 'E' + exponent;
    }
    if (mantissa.endsWith('.'))
        mantissa.chop(1);
    return mantissa + ellipsis + 'E' + exponent;
}

} // namespace

const char *solverMessage(ExpTree::Value::Error error)
{
    static const char *const messages[] = {
        nullptr,
        QT_TRANSLATE_NOOP("CalcSolver", "Incomplete input"),
        QT_TRANSLATE_NOOP("CalcSolver", "Division by zero impossible"),
        QT_TRANSLATE_NOOP("CalcSolver", "Invalid input"),
        QT_TRANSLATE_NOOP("CalcSolver", "Failure to obtain a valid result"),
        QT_TRANSLATE_NOOP("CalcSolver", "Failure to obtain a valid result"),
    };
    if (error < 0 || error > ExpTree::Value::Underflow)
        return nullptr;
    return messages[error];
}

void formatNumber(const ExpTree::Value &value, QString &text, int decimals, bool)
{
    if (value.error != ExpTree::Value::NoError) {
        text += QLatin1String(solverMessage(value.error));
        return;
    }
    const double v = value.numericValue();
    if (std::isnan(v)) {
        text += QLatin1String(solverMessage(ExpTree::Value::InvalidInput));
        return;
    }
    if (std::isinf(v)) {
        text += QLatin1String(solverMessage(ExpTree::Value::Overflow));
        return;
    }
    if (v == 0.0) {
        text += '0';
        return;
    }
    const int d = std::clamp(decimals, 0, 15);
    double unit = 1.0;
    for (int i = 0; i < d; ++i)
        unit /= 10.0;
    if (std::fabs(v) < unit || std::fabs(v) >= 1e10)
        text += scientificForm(v, d);
    else
        text += fixedForm(v, d, unit);
}
