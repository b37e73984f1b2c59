#pragma once

#include <QString>
#include <QStringList>

// The words of a dictionary text file read as UTF-8, one trimmed entry per
// whole line; empty when the file cannot be read.
QStringList readDictionaryFile(const QString &path);
// The same, telling an absent file (no words, true) from one that exists but
// cannot be read (false): such a file must not be replaced by what was read.
bool readDictionaryFile(const QString &path, QStringList *words);

// "PersonalDictionary.txt" in the user's application data folder.
QString personalDictionaryPath();
QStringList readPersonalDictionary();
bool readPersonalDictionary(QStringList *words);
// Writes the words one per line, creating the folder when there are words to
// keep. The file is replaced only once every word is written, so a failed
// write leaves the earlier words in place; false when nothing was replaced.
bool writePersonalDictionary(const QStringList &words);
