#pragma once

#include <QString>
#include <QXmlStreamWriter>

class QActionGroup;

// Writes the configuration document of a customised language: the isolated-mode
// configurations of the base language, each naming the trained resource file.
class ConfigWriter
{
public:
    ConfigWriter(const QString &resourceFile, const QString &localeName, const QString &userName,
                 const QString &baseLanguageName);

    // Loads the base language's isolated configurations into the group, writes them to the
    // customised language's file in the training folder and deletes them. False when the base
    // language has no such configurations or the file cannot be written; a failed write
    // leaves the previous document as it was.
    bool saveConfigs(QActionGroup *group);

private:
    void writeConfigs(QActionGroup *group);

    QXmlStreamWriter m_writer;
    QString m_resourceFile;
    QString m_localeName;
    QString m_userName;
    QString m_baseLanguageName;
};
