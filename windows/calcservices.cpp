#include "windows/calcservices.h"

#include "calculator/solveexpression.h"
#include "windows/winutils.h"

#include <QCoreApplication>
#include <QSettings>

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

RecognitionResult CalcServices::solveExpression(const RecognitionResult &result, int decimals,
                                                const QString &solverText)
{
    RecognitionResult solved;
    ::solveExpression(solved, result, decimals, solverText);
    return solved;
}

QString CalcServices::formatCalcResult(const RecognitionResult &result)
{
    const Settings s = settings();
    switch (s.solveAuto ? s.sendMode : CalcOutputMode::Text) {
    case CalcOutputMode::ResultOnly:
    case CalcOutputMode::Spreadsheet:
    case CalcOutputMode::Html:
    case CalcOutputMode::Text:
        return result.root().selectedCandidate().label();
    default:
        return QString();
    }
}
