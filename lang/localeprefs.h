#pragma once

#include <QString>

// The user's writing languages: the active one, and the working and detected lists of
// locale names, each name followed by one blank.
struct LocalePrefs
{
    QString activeLanguage;
    QString workingLanguages;
    QString detectedLanguages;
};
