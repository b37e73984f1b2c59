#pragma once

#include <QLocale>
#include <QString>

class QWidget;

// Folder kinds of applicationPath.
enum ApplicationPathKind : int {
    ProgramFolder = 0,
    UserDataFolder = 1,
    CommonDataFolder = 2,
    ResourcesFolder = 3,
    LibraryFolder = 4,
    DocumentationFolder = 5,
};

// True when this is the only process holding the mutex "Local\<name>"; the mutex stays open
// for the life of the process.
bool isFirstInstance(const QString &name);
// Writes or removes the program's value under the current user's Run key; false when the
// registry refused.
bool setStartWithWindows(bool on);
// Whether the program starts with Windows; a value that points elsewhere is rewritten, and
// the answer is false when that fails.
bool checkStartWithWindows();
void clearDisabledStyle(QWidget *widget);
bool isTextCursorShown();
QString applicationPath(ApplicationPathKind kind);
bool isWindows2000OrLater();
bool isWindowsVistaOrLater();
bool isCompositionActive();
void setFloatingWindowFlags(QWidget *widget, bool translucent);
void removeHelpButton(QWidget *widget);
void setDialogWindowFlags(QWidget *widget);
QLocale uiLocale();

// The application name under which the native settings are kept: the application name, a
// blank and the program's major and minor version numbers joined by a point.
QString nativeSettingsApplicationName();
// A warning box titled with the product name; `text` is translated in the integrator's
// context.
void showCaution(const char *text);
