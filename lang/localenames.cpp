#include "lang/localenames.h"

#include <QCoreApplication>

namespace {

QString languageCountryPattern()
{
    return QCoreApplication::translate("FullLanguageCountryName", "%1 (%2)");
}

} // namespace

QString languageName(QLocale::Language language)
{
    return QCoreApplication::translate("Languages",
                                       QLocale::languageToString(language).toUtf8().constData());
}

QString countryName(QLocale::Territory territory)
{
    return QCoreApplication::translate(
        "Countries", QLocale::territoryToString(territory).toUtf8().constData());
}

QString normalizedLocaleName(const QLocale &locale)
{
    const QString name = locale.name();
    if (name == QLatin1String("nb"))
        return QStringLiteral("no");
    if (name == QLatin1String("nb_NO"))
        return QStringLiteral("no_NO");
    return name;
}

QString fullLanguageName(const QLocale &locale)
{
    return languageCountryPattern().arg(languageName(locale.language()),
                                        countryName(locale.territory()));
}

QString fullLanguageNameFromLocaleName(const QLocale &locale)
{
    const QString name = normalizedLocaleName(locale);
    const int underscore = name.indexOf(QLatin1Char('_'));
    const QString territory = underscore < 0 ? QString() : name.mid(underscore + 1);
    return languageCountryPattern().arg(languageName(locale.language()), territory);
}

WritingDirection writingDirection(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return language == QLocale::Arabic || language == QLocale::Hebrew
               ? WritingDirection::RightToLeft
               : WritingDirection::LeftToRight;
}
