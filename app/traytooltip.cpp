#include "app/traytooltip.h"

#include "lang/localenames.h"

#include <QCoreApplication>

QString trayToolTip(const QLocale &writingLocale)
{
    return QCoreApplication::translate("ScrivelApp", "%1 %2 %3")
        .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
             languageName(writingLocale.language()));
}
