#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// The personal training file of a language: the characters the user trains,
// in lines of ten characters.
namespace trainingfile {

// "<locale>_personalTrainingFile.txt" in the user data folder.
QString path(const QLocale &locale);
// The locale's name as the training files spell it.
QString localeName(const QLocale &locale);
// The translated name of the locale's language.
QString languageLabel(const QLocale &locale);
// The text without white space, in UTF-8 lines of ten characters joined by
// CR LF, the last one without line break.
QByteArray contents(const QString &edited);

} // namespace trainingfile
