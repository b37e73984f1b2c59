#include "windows/userdictionaries.h"

#include "windows/wholefilewriter.h"
#include "windows/winutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList readDictionaryFile(const QString &path)
{
    QStringList words;
    readDictionaryFile(path, &words);
    return words;
}

bool readDictionaryFile(const QString &path, QStringList *words)
{
    words->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return !QFileInfo::exists(path);
    // Whole lines: a cut at a byte count would split long words and multi-byte letters.
    while (!file.atEnd())
        words->append(QString::fromUtf8(file.readLine()).trimmed());
    if (file.error() == QFileDevice::NoError)
        return true;
    words->clear();
    return false;
}

QString personalDictionaryPath()
{
    return applicationPath(UserDataFolder) + QStringLiteral("/PersonalDictionary.txt");
}

QStringList readPersonalDictionary()
{
    return readDictionaryFile(personalDictionaryPath());
}

bool readPersonalDictionary(QStringList *words)
{
    return readDictionaryFile(personalDictionaryPath(), words);
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
