#include "modes/trainingfile.h"

#include "lang/localenames.h"
#include "windows/winutils.h"

#include <QStringList>

namespace {

constexpr int LineLength = 10;

} // namespace

namespace trainingfile {

QString path(const QLocale &locale)
{
    return applicationPath(UserDataFolder) + QLatin1Char('/') + localeName(locale)
           + QStringLiteral("_personalTrainingFile.txt");
}

QString localeName(const QLocale &locale)
{
    return normalizedLocaleName(locale);
}

QString languageLabel(const QLocale &locale)
{
    return languageName(locale.language());
}

QByteArray contents(const QString &edited)
{
    QString text = edited.simplified();
    text.remove(QLatin1Char(' '));
    QStringList lines;
    for (int i = 0; i < text.size(); i += LineLength)
        lines << text.mid(i, LineLength);
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

} // namespace trainingfile
