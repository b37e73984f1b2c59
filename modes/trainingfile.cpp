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
    // Ten characters are ten code points: a surrogate pair stays on one line.
    QStringList lines;
    qsizetype start = 0;
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        if (++count == LineLength) {
            lines << text.mid(start, i + 1 - start);
            start = i + 1;
            count = 0;
        }
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

} // namespace trainingfile
