#include "panel/links.h"

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

QString linkFromFile()
{
    QFile file(linksFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readLine()).simplified();
}

QString readLinks()
{
    const QString link = linkFromFile();
    return link.isEmpty() ? defaultLink() : link;
}
