#include "app/settingsfile.h"

#include "app/settingsdocument.h"
#include "windows/wholefilewriter.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString RootElement = QStringLiteral("scrivelsettings");
const QString SettingElement = QStringLiteral("setting");
const QString ModeElement = QStringLiteral("mode");

void writeSettings(QXmlStreamWriter &writer, const QVariantMap &settings)
{
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        writer.writeEmptyElement(SettingElement);
        writer.writeAttribute(QStringLiteral("key"), it.key());
        writer.writeAttribute(QStringLiteral("value"), it.value().toString());
    }
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Reads the "setting" element the reader stands on into settings.
bool readSetting(QXmlStreamReader &reader, QVariantMap *settings, QString *error)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    const QString key = attributes.value(QStringLiteral("key")).toString();
    if (key.isEmpty()) {
        setError(error, QStringLiteral("line %1: a setting without key").arg(reader.lineNumber()));
        return false;
    }
    settings->insert(key, attributes.value(QStringLiteral("value")).toString());
    reader.skipCurrentElement();
    return true;
}

// Reads the "setting" children of the element the reader stands in, up to its end; other
// elements are skipped.
bool readSettings(QXmlStreamReader &reader, QVariantMap *settings, QString *error)
{
    while (reader.readNextStartElement()) {
        if (reader.name() != SettingElement)
            reader.skipCurrentElement();
        else if (!readSetting(reader, settings, error))
            return false;
    }
    return true;
}

bool readBody(QXmlStreamReader &reader, SettingsDocument *document, QString *error)
{
    QVariantMap globals;
    while (reader.readNextStartElement()) {
        if (reader.name() == SettingElement) {
            if (!readSetting(reader, &globals, error))
                return false;
        } else if (reader.name() == ModeElement) {
            const QString name = reader.attributes().value(QStringLiteral("name")).toString();
            if (name.isEmpty()) {
                setError(error,
                         QStringLiteral("line %1: a mode without name").arg(reader.lineNumber()));
                return false;
            }
            QVariantMap &settings = document->mode(name);
            if (!readSettings(reader, &settings, error))
                return false;
        } else {
            reader.skipCurrentElement();
        }
    }
    for (auto it = globals.cbegin(); it != globals.cend(); ++it)
        document->putGlobal(it.key(), it.value());
    return true;
}

} // namespace

void writeSettingsDocument(QXmlStreamWriter &writer, const SettingsDocument &document)
{
    writer.writeStartElement(RootElement);
    writer.writeAttribute(QStringLiteral("version"), document.version());
    writeSettings(writer, document.globals());
    for (const QString &name : document.modeNames()) {
        writer.writeStartElement(ModeElement);
        writer.writeAttribute(QStringLiteral("name"), name);
        writeSettings(writer, document.modeSettings(name));
        writer.writeEndElement();
    }
    writer.writeEndElement();
}

bool saveSettingsFile(const QString &fileName, const SettingsDocument &document, QString *error)
{
    QByteArray content;
    QXmlStreamWriter writer(&content);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writeSettingsDocument(writer, document);
    writer.writeEndDocument();
    if (writer.hasError() || !writeWholeFile(fileName, content)) {
        setError(error, QStringLiteral("%1 cannot be written").arg(fileName));
        return false;
    }
    return true;
}

bool readSettingsDocument(const QString &fileName, SettingsDocument *document, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("%1 cannot be read: %2").arg(fileName, file.errorString()));
        return false;
    }
    const QByteArray content = file.read(MaxSettingsFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("%1 cannot be read: %2").arg(fileName, file.errorString()));
        return false;
    }
    if (content.size() > MaxSettingsFileSize) {
        setError(
            error,
            QStringLiteral("%1 is larger than %2 bytes").arg(fileName).arg(MaxSettingsFileSize));
        return false;
    }
    QXmlStreamReader reader(content);
    SettingsDocument read;
    bool rootFound = false;
    if (reader.readNextStartElement()) {
        if (reader.name() != RootElement) {
            setError(error, QStringLiteral("%1 holds no settings: its root is \"%2\"")
                                .arg(fileName, reader.name().toString()));
            return false;
        }
        rootFound = true;
        const QString version = reader.attributes().value(QStringLiteral("version")).toString();
        if (version.isEmpty()) {
            setError(error, QStringLiteral("%1: the settings name no version").arg(fileName));
            return false;
        }
        read.setVersion(version);
        QString bodyError;
        if (!readBody(reader, &read, &bodyError)) {
            setError(error, QStringLiteral("%1, %2").arg(fileName, bodyError));
            return false;
        }
        while (!reader.atEnd())
            reader.readNext();
    }
    if (reader.hasError()) {
        setError(error, QStringLiteral("%1 is not well-formed XML (line %2: %3)")
                            .arg(fileName)
                            .arg(reader.lineNumber())
                            .arg(reader.errorString()));
        return false;
    }
    if (!rootFound) {
        setError(error, QStringLiteral("%1 holds no settings").arg(fileName));
        return false;
    }
    *document = read;
    return true;
}
