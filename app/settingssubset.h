#pragma once

#include "panel/apppreferences.h"
#include "lang/localeprefs.h"

#include <optional>

class QSettings;
class SettingsDocument;

// Fills the document with the subset of the preferences that the settings file carries, under
// the version's group of the store: the global keys, "lastConfig" = "free" for cursive and the
// boxed pad's stored "lastConfig" when there is one. An isotrainer mode is named cursive.
void fillSettingsSubset(QSettings &store, const AppPreferences &prefs, const LocalePrefs &locale,
                        int inputMode, SettingsDocument *document);

// What applying a subset asks of the application besides the changed preferences.
struct SubsetRequests
{
    // The mode to switch to; UnknownMode for none.
    int inputMode = 0;
    std::optional<bool> showKeypad;
};

// Applies the document's values to the preferences and languages, and the boxed pad's
// "lastConfig" to the store. Text that is no valid value for its key (a number out of the
// range the preferences offer, a colour name that names no colour) is ignored. The caller
// checks the version.
SubsetRequests applySettingsValues(QSettings &store, const SettingsDocument &document,
                                   AppPreferences *prefs, LocalePrefs *locale);

// The subset of this version that the words of a "--set" value give: each word that splits at
// "=" into exactly two pieces is a key and its value.
SettingsDocument subsetFromValues(const QString &values);
