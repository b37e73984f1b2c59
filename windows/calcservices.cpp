#include "windows/calcservices.h"

#include "windows/winutils.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

CalcServices::Solver installedSolver = nullptr;
CalcServices::Writer installedWriter = nullptr;

} // namespace

CalcServices::Settings CalcServices::settings()
{
    const QSettings native(QCoreApplication::organizationName(), nativeSettingsApplicationName());
    Settings s;
    s.sendMode =
        CalcOutputMode(native.value(QStringLiteral("calcSendMode"), int(s.sendMode)).toInt());
    s.solveAuto = native.value(QStringLiteral("solveAuto"), s.solveAuto).toBool();
    s.decimals = native.value(QStringLiteral("nbOfDecimals"), s.decimals).toInt();
    return s;
}

void CalcServices::setSolver(Solver solver)
{
    installedSolver = solver;
}

void CalcServices::setWriter(Writer writer)
{
    installedWriter = writer;
}

RecognitionResult CalcServices::solveExpression(const RecognitionResult &result, int decimals,
                                                const QString &solverText)
{
    if (!installedSolver)
        return result;
    RecognitionResult solved;
    installedSolver(solved, result, decimals, solverText);
    return solved;
}

QString CalcServices::formatCalcResult(const RecognitionResult &result)
{
    const Settings s = settings();
    const CalcOutputMode mode = s.solveAuto ? s.sendMode : CalcOutputMode::Text;
    switch (mode) {
    case CalcOutputMode::ResultOnly:
    case CalcOutputMode::Spreadsheet:
    case CalcOutputMode::Html:
    case CalcOutputMode::Text:
        return installedWriter ? installedWriter(result, int(mode))
                               : result.root().selectedCandidate().label();
    default:
        return QString();
    }
}
