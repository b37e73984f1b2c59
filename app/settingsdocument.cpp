#include "app/settingsdocument.h"

class SettingsDocument::Data : public QSharedData
{
public:
    QVariantMap globals;
    QString version;
    QMap<QString, QVariantMap> modes;
};

SettingsDocument::SettingsDocument() : d(new Data) {}
SettingsDocument::SettingsDocument(const SettingsDocument &other) = default;
SettingsDocument &SettingsDocument::operator=(const SettingsDocument &other) = default;
SettingsDocument::~SettingsDocument() = default;

QString SettingsDocument::version() const { return d->version; }

void SettingsDocument::setVersion(const QString &version) { d->version = version; }

const QVariantMap &SettingsDocument::globals() const { return d->globals; }

void SettingsDocument::putGlobal(const QString &key, const QVariant &value)
{
    d->globals.insert(key, value);
}

void SettingsDocument::clearGlobals() { d->globals.clear(); }

bool SettingsDocument::hasMode(const QString &name) const { return d->modes.contains(name); }

QVariantMap &SettingsDocument::mode(const QString &name) { return d->modes[name]; }

QVariantMap SettingsDocument::modeSettings(const QString &name) const
{
    return d->modes.value(name);
}

QStringList SettingsDocument::modeNames() const { return d->modes.keys(); }

void SettingsDocument::clearModes() { d->modes.clear(); }
