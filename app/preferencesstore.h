#pragma once

#include "panel/apppreferences.h"
#include "lang/localeprefs.h"

#include <QRect>

class InputWidget;
class QSettings;

// The settings group of this version: the major and minor numbers of the application
// version joined by a point ("3.2" for "3.2.60.140 zk").
QString settingsGroupName();

// "Hide", "SlideLeft" or "SlideRight"; empty for a value that is no hiding mode.
QString hidingModeName(int mode);

// Writes the preferences into the version's group of the store; an isotrainer mode is
// written as cursive.
void writePreferences(QSettings &store, const AppPreferences &prefs, const LocalePrefs &locale,
                      int inputMode);

// What a read gives besides the record.
struct PreferencesRead
{
    LocalePrefs locale;
    int inputMode = 0;
    bool saveInk = false;
    bool firstStart = true;
};

// Fills the record from the version's group, or with the first-start geometry when the group
// was never written (`primaryArea` is the primary screen's available area). The maximized
// geometry follows `desktop`, the union of the screens' available areas, 5 pixels beyond it
// on every side. A stored mode name that is no mode reads as cursive. The autostart
// preference is not touched.
PreferencesRead readPreferences(QSettings &store, AppPreferences *prefs,
                                const QRect &primaryArea, const QRect &desktop);

// Whether the store file of the organisation and application cannot be read as settings. Such a
// file is moved aside, to its name followed by ".unreadable" (an earlier one of that name is
// replaced), so that it is kept and the defaults can be stored in its place; `keptAs` is then
// its new name, or empty when it could not be moved.
bool setAsideUnreadableStore(const QString &organization, const QString &application,
                             QString *keptAs);

// Writes the store's changes to its file; false when they could not be written.
bool syncStore(QSettings &store);

// The input widget reads its own sub-group of the version's group, named after its mode; a mode
// whose sub-group was never written reads nothing.
void readInputWidgetSettings(QSettings &store, InputWidget &widget);
// The input widget writes its own sub-group of the version's group.
void writeInputWidgetSettings(QSettings &store, InputWidget &widget);
