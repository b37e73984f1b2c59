#pragma once

#include "lang/writingdirection.h"

#include <QLocale>
#include <QString>

// The language's English name, translated in the context "Languages".
QString languageName(QLocale::Language language);
// The territory's English name, translated in the context "Countries".
QString countryName(QLocale::Territory territory);
// QLocale::name(), with Norwegian Bokmål named "no" ("nb_NO" becomes "no_NO").
QString normalizedLocaleName(const QLocale &locale);
// "Language (Country)" with both names translated; the pattern is translated in the context
// "FullLanguageCountryName".
QString fullLanguageName(const QLocale &locale);
// "Language (XX)": the translated language name and the territory part of the locale's
// normalized name ("PH" for fil_PH); empty parentheses for a name without territory.
QString fullLanguageNameFromLocaleName(const QLocale &locale);
// Right to left for Arabic and Hebrew, left to right for every other language.
WritingDirection writingDirection(const QLocale &locale);
