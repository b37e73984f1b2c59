#pragma once

#include <QString>

class QXmlStreamWriter;
class SettingsDocument;

// The largest settings file that is read; a real one holds a few hundred bytes.
constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

// Writes the document as the settings file: the "scrivelsettings" root with its version, a
// "setting" element per global key in key order, then a "mode" element per mode. The file is
// replaced whole or left as it was; false with the reason in `error` when it cannot be.
bool saveSettingsFile(const QString &fileName, const SettingsDocument &document,
                      QString *error = nullptr);
void writeSettingsDocument(QXmlStreamWriter &writer, const SettingsDocument &document);

// Reads a settings file into the document, every value as text. False with the reason in
// `error` for a file that is missing, unreadable, larger than MaxSettingsFileSize, not
// well-formed XML, without a "scrivelsettings" root of a version, or holding a setting
// without key or a mode without name; the document is then left as it was.
bool readSettingsDocument(const QString &fileName, SettingsDocument *document,
                          QString *error = nullptr);
