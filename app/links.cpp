#include "app/links.h"

#include "windows/winutils.h"

#include <QFile>

QString defaultLink()
{
    return QStringLiteral("https://scrivel.tarvell.example/updates");
}

QString linksFilePath()
{
    return applicationPath(CommonDataFolder) + QStringLiteral("/links.txt");
}

QString readLinks()
{
    QFile file(linksFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return defaultLink();
    return QString::fromUtf8(file.readLine()).simplified();
}
