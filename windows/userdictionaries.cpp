#include "windows/userdictionaries.h"

#include "windows/wholefilewriter.h"
#include "windows/winutils.h"

#include <QDir>
#include <QFile>

QStringList readDictionaryFile(const QString &path)
{
    QFile file(path);
    QStringList words;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return words;
    // Whole lines: a cut at a byte count would split long words and multi-byte letters.
    while (!file.atEnd())
        words.append(QString::fromUtf8(file.readLine()).trimmed());
    return words;
}

QString personalDictionaryPath()
{
    return applicationPath(UserDataFolder) + QStringLiteral("/PersonalDictionary.txt");
}

QStringList readPersonalDictionary()
{
    return readDictionaryFile(personalDictionaryPath());
}

bool writePersonalDictionary(const QStringList &words)
{
    const QString folder = applicationPath(UserDataFolder);
    if (!QDir(folder).exists()) {
        if (words.isEmpty())
            return false;
        if (!QDir().mkpath(folder))
            return false;
    }
    QByteArray content;
    for (const QString &word : words)
        content += word.toUtf8() + '\n';
    return writeWholeFile(personalDictionaryPath(), content);
}
