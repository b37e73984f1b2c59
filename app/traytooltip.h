#pragma once

#include <QLocale>
#include <QString>

// The tray icon's tooltip: the application name, its version and the name of the writing
// language, separated by blanks.
QString trayToolTip(const QLocale &writingLocale);
