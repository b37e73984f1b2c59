#pragma once

#include "recognition/inputmode.h"

#include <QString>

class Config;
class LanguageEntry;
class QActionGroup;
class QIODevice;
class QXmlStreamReader;

// The version of the configuration documents that are read and written.
QString configDocumentVersion();
// Reads the configuration document on the open device into the group: one Config per
// "config" element of the mode (every element for UnknownMode); an element whose label and
// mode match a Config of the group updates that one instead. The root's resourcesBaseName
// goes to `resourcesBaseName` when given. False when the reader reports an error; the
// configurations read before it stay in the group.
bool readConfigDocument(QXmlStreamReader &reader, QIODevice *device, QActionGroup *group,
                        const LanguageEntry &language, InputMode modeFilter,
                        QString *resourcesBaseName = nullptr);
// Reads up to the root element and returns its version, lang and resourcesBaseName without
// checking them; false when the document ends or breaks first or its root is another element.
bool readConfigHeader(QXmlStreamReader &reader, QIODevice *device, QString *version,
                      QString *lang, QString *resourcesBaseName);
// The text a configuration label is shown with: a label starting with "_tr_" is translated in
// the context "Config" once every "_tr_" is removed; any other label is shown as it is.
QString displayedConfigLabel(const QString &label);
// Sets the action text of the configuration from its label.
void translateConfigLabel(Config *config, const QString &label);
